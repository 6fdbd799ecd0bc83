// The preferences window, driven as a user would.

#include "core/store/schema.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/geometry.h"
#include "ui/app/mainwindow.h"
#include "ui/app/passworddialog.h"
#include "ui/prefs/preferencesdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace testsupport;

namespace {
QVariantList storedRecord() {
    QVariantList all;
    for (const QString &f : schema::preferenceFields())
        all << storedSetting(f);
    return all;
}

PreferencesDialog *openPreferences() {
    PreferencesDialog *w = app().window<PreferencesDialog>();
    w->show();
    return w;
}
} // namespace

class PrefsTest : public QObject {
    Q_OBJECT
private slots:
    void exitWithoutChangesRewritesTheSameValues();
    void typedNumbersAreReadAsTheirLeadingNumber_data();
    void typedNumbersAreReadAsTheirLeadingNumber();
    void furtherTermsAreStoredAndShownBack_data();
    void furtherTermsAreStoredAndShownBack();
    void textsAreTrimmedAndTheDisclaimerKeepsItsLines();
    void theAcceptanceStatementStartsPlainAndKeepsItsLines();
    void saveTellsAndStaysOpen();
    void turningProtectionOffSkipsThePasswordNextTime();
    void aNumberTooLargeIsRefusedAndNothingStored();
};

void PrefsTest::exitWithoutChangesRewritesTheSameValues() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    setSetting(QStringLiteral("taxrate"), double(0.0825f));
    setSetting(QStringLiteral("interestrate"), double(6.9f));
    const QVariantList before = storedRecord();
    PreferencesDialog *w = openPreferences();
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("ptaxrate"))->text(), QStringLiteral("0.0825"));
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("pinterestrate"))->text(), QStringLiteral("6.9"));
    QVERIFY(click(w, QStringLiteral("Command2")));
    QCOMPARE(storedRecord(), before);
    QTRY_VERIFY(!app().existing<PreferencesDialog>());
    QVERIFY(app().existing<MainWindow>() && app().existing<MainWindow>()->isVisible());
}

void PrefsTest::typedNumbersAreReadAsTheirLeadingNumber_data() {
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("term");
    QTest::addColumn<double>("storedTax");
    QTest::addColumn<int>("storedTerm");
    QTest::newRow("percent sign") << "7%"
                                  << "36.5" << 7.0 << 36;
    QTest::newRow("halves to even") << "0.07"
                                    << "37.5" << double(0.07f) << 38;
    QTest::newRow("not numbers") << "seven"
                                 << "three years" << 0.0 << 0;
}

void PrefsTest::typedNumbersAreReadAsTheirLeadingNumber() {
    QFETCH(QString, tax);
    QFETCH(QString, term);
    QFETCH(double, storedTax);
    QFETCH(int, storedTerm);
    ProgramFolder folder;
    PreferencesDialog *w = openPreferences();
    type(w, QStringLiteral("ptaxrate"), tax);
    type(w, QStringLiteral("pfinanceterm"), term);
    QVERIFY(click(w, QStringLiteral("Command2")));
    QCOMPARE(storedSetting(QStringLiteral("taxrate")).toDouble(), storedTax);
    QCOMPARE(storedSetting(QStringLiteral("financeterm")).toInt(), storedTerm);
    QCOMPARE(app().settings().financeTerm, storedTerm);
}

void PrefsTest::furtherTermsAreStoredAndShownBack_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("halves to even") << "84.5 months" << 84;
    QTest::newRow("empty is not offered") << "" << 0;
}

// The second term as typed, stored and shown back; the third, untouched, stays.
void PrefsTest::furtherTermsAreStoredAndShownBack() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    ProgramFolder folder;
    setSetting(QStringLiteral("financeterm2"), 48);
    setSetting(QStringLiteral("financeterm3"), 96);
    PreferencesDialog *w = openPreferences();
    type(w, QStringLiteral("pfinanceterm2"), typed);
    QVERIFY(click(w, QStringLiteral("Command2")));
    QCOMPARE(storedSetting(QStringLiteral("financeterm2")).toInt(), stored);
    QCOMPARE(storedSetting(QStringLiteral("financeterm3")).toInt(), 96);
    QCOMPARE(app().settings().financeTerm2, stored);
    w = openPreferences();
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("pfinanceterm2"))->text(), stored ? QString::number(stored) : "");
    QCOMPARE(control<QLineEdit>(w, QStringLiteral("pfinanceterm3"))->text(), QStringLiteral("96"));
}

void PrefsTest::textsAreTrimmedAndTheDisclaimerKeepsItsLines() {
    ProgramFolder folder;
    PreferencesDialog *w = openPreferences();
    type(w, QStringLiteral("pdealershipname"), QStringLiteral("   Smith & Sons Motors  "));
    type(w, QStringLiteral("ppackage3"), QStringLiteral(" Silver "));
    auto *disclaimer = control<QPlainTextEdit>(w, QStringLiteral("pdisclaimer"));
    disclaimer->setFocus();
    disclaimer->selectAll();
    QTest::keyClicks(disclaimer, QStringLiteral("  First line"));
    QTest::keyClick(disclaimer, Qt::Key_Return);
    QTest::keyClicks(disclaimer, QStringLiteral("Second line  "));
    QVERIFY(click(w, QStringLiteral("Command2")));
    QCOMPARE(storedSetting(QStringLiteral("dealershipname")).toString(), QStringLiteral("Smith & Sons Motors"));
    QCOMPARE(storedSetting(QStringLiteral("package3")).toString(), QStringLiteral("Silver"));
    QCOMPARE(storedSetting(QStringLiteral("disclaimer")).toString(), QStringLiteral("First line\r\nSecond line"));
    // Shown again as two lines.
    w = openPreferences();
    QCOMPARE(control<QPlainTextEdit>(w, QStringLiteral("pdisclaimer"))->toPlainText(),
             QStringLiteral("First line\nSecond line"));
}

void PrefsTest::theAcceptanceStatementStartsPlainAndKeepsItsLines() {
    ProgramFolder folder;
    PreferencesDialog *w = openPreferences();
    auto *statement = control<QPlainTextEdit>(w, QStringLiteral("pstatement"));
    QCOMPARE(statement->toPlainText(), schema::defaultStatement());
    statement->setFocus();
    statement->selectAll();
    QTest::keyClicks(statement, QStringLiteral(" I chose freely."));
    QTest::keyClick(statement, Qt::Key_Return);
    QTest::keyClicks(statement, QStringLiteral("Nothing was packed in.  "));
    answeringBoxes([&] { click(w, QStringLiteral("Command1")); });
    QCOMPARE(storedSetting(QStringLiteral("statement")).toString(),
             QStringLiteral("I chose freely.\r\nNothing was packed in."));
    QCOMPARE(app().settings().statement, QStringLiteral("I chose freely.\r\nNothing was packed in."));
    QVERIFY(click(w, QStringLiteral("Command2")));
    w = openPreferences();
    QCOMPARE(control<QPlainTextEdit>(w, QStringLiteral("pstatement"))->toPlainText(),
             QStringLiteral("I chose freely.\nNothing was packed in."));
}

void PrefsTest::saveTellsAndStaysOpen() {
    ProgramFolder folder;
    PreferencesDialog *w = openPreferences();
    control<QCheckBox>(w, QStringLiteral("pincludetax"))->setChecked(true);
    const auto boxes = answeringBoxes([&] { click(w, QStringLiteral("Command1")); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text, QStringLiteral("Preferences Saved"));
    QCOMPARE(boxes[0].title, QStringLiteral("Message"));
    QCOMPARE(storedSetting(QStringLiteral("includetax")).toInt(), 1);
    QVERIFY(w->isVisible());
}

void PrefsTest::turningProtectionOffSkipsThePasswordNextTime() {
    ProgramFolder folder;
    setSetting(QStringLiteral("passwordprotect"), 1);
    setSetting(QStringLiteral("password"), QStringLiteral("x"));
    PreferencesDialog *w = openPreferences();
    QVERIFY(control<QCheckBox>(w, QStringLiteral("ppasswordprotect"))->isChecked());
    QTest::mouseClick(control(w, QStringLiteral("ppasswordprotect")), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(click(w, QStringLiteral("Command2")));
    closeAllWindows();
    // The next start-up.
    app().window<PasswordDialog>()->begin();
    QVERIFY(app().existing<MainWindow>() && app().existing<MainWindow>()->isVisible());
}

void PrefsTest::aNumberTooLargeIsRefusedAndNothingStored() {
    ProgramFolder folder;
    const QVariantList before = storedRecord();
    PreferencesDialog *w = openPreferences();
    type(w, QStringLiteral("pfinanceterm"), QStringLiteral("99999999999"));
    type(w, QStringLiteral("ppackage1"), QStringLiteral("Changed"));
    const QList<BoxSeen> boxes = answeringBoxes([&] { click(w, QStringLiteral("Command2")); });
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().text.contains(QLatin1String("finance term")), qPrintable(boxes.first().text));
    QCOMPARE(storedRecord(), before);
    QCOMPARE(app().settings().packageNames[0], QStringLiteral("Platinum"));
    QVERIFY(app().existing<PreferencesDialog>() && w->isVisible());
}

QTEST_MAIN(PrefsTest)
#include "tst_prefs.moc"
