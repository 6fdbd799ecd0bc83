// The preferences window, driven as a user would.

#include "testsupport.h"

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

    void exitWithoutChangesRewritesTheSameValues() {
        ProgramFolder folder(ProgramFolder::Content::Samples);
        setSetting(u"taxrate"_s, double(0.0825f));
        setSetting(u"interestrate"_s, double(6.9f));
        const QVariantList before = storedRecord();
        PreferencesDialog *w = openPreferences();
        QCOMPARE(textOf(w, u"ptaxrate"_s) + u" "_s + textOf(w, u"pinterestrate"_s), u"0.0825 6.9"_s);
        QVERIFY(click(w, u"Command2"_s));
        QCOMPARE(storedRecord(), before);
        QTRY_VERIFY(!app().existing<PreferencesDialog>());
        QVERIFY(app().existing<MainWindow>()->isVisible());
    }

    // Numbers are read as their leading number; a further term of 0 shows empty; one untouched stays.
    void typedNumbersAreStoredAndShownBack_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("storedTax");
        QTest::addColumn<int>("storedTerm");
        QTest::newRow("percent sign, halves to even") << "0.5% or 84.5 months" << 0.5 << 84;
        QTest::newRow("not numbers") << "seven" << 0.0 << 0;
    }
    void typedNumbersAreStoredAndShownBack() {
        QFETCH(QString, typed);
        QFETCH(int, storedTerm);
        ProgramFolder folder;
        setSetting(u"financeterm3"_s, 96);
        PreferencesDialog *w = openPreferences();
        type(w, u"ptaxrate"_s, typed);
        type(w, u"pfinanceterm"_s, typed.section(u" or "_s, -1));
        type(w, u"pfinanceterm2"_s, typed.section(u" or "_s, -1));
        QVERIFY(click(w, u"Command2"_s));
        QTEST(storedSetting(u"taxrate"_s).toDouble(), "storedTax");
        QCOMPARE(storedSetting(u"financeterm"_s).toInt(), storedTerm);
        QCOMPARE(app().settings().financeTerm2, storedTerm);
        w = openPreferences();
        QCOMPARE(textOf(w, u"pfinanceterm2"_s), storedTerm ? QString::number(storedTerm) : QString());
        QCOMPARE(textOf(w, u"pfinanceterm3"_s), u"96"_s);
    }

    // Texts lose the blanks around them and keep their lines; the options are stored as ticked.
    void textsAreTrimmedAndKeepTheirLines() {
        ProgramFolder folder;
        setSetting(u"passwordprotect"_s, 1);
        PreferencesDialog *w = openPreferences();
        QCOMPARE(textOf(w, u"pstatement"_s), schema::defaultStatement());
        type(w, u"pdealershipname"_s, u"   Smith & Sons Motors  "_s);
        type(w, u"pdisclaimer"_s, u"  First line\nSecond line  "_s);
        type(w, u"pstatement"_s, u" I chose freely.\nNothing was packed in.  "_s);
        control<QCheckBox>(w, u"pincludetax"_s)->setChecked(true);
        control<QCheckBox>(w, u"pleasedeal"_s)->setChecked(true);
        control<QCheckBox>(w, u"ppasswordprotect"_s)->setChecked(false);
        QCOMPARE(said([&] { click(w, u"Command1"_s); }), QStringList{u"Message: Preferences Saved"_s});
        QVERIFY(w->isVisible());
        QCOMPARE(storedSetting(u"dealershipname"_s).toString(), u"Smith & Sons Motors"_s);
        QCOMPARE(storedSetting(u"disclaimer"_s).toString(), u"First line\r\nSecond line"_s);
        QCOMPARE(storedSetting(u"statement"_s).toString(), u"I chose freely.\r\nNothing was packed in."_s);
        QCOMPARE(storedSetting(u"includetax"_s).toInt() + storedSetting(u"leasedeal"_s).toInt(), 2);
        QCOMPARE(storedSetting(u"passwordprotect"_s).toInt(), 0);
        QVERIFY(click(w, u"Command2"_s));
        w = openPreferences();
        QCOMPARE(textOf(w, u"pstatement"_s), u"I chose freely.\nNothing was packed in."_s);
    }

    // A number out of range or a tax rate in per cent is refused by SAVE, EXIT and the title bar alike.
    void aNumberTooLargeIsRefusedAndNothingStored_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("named");
        QTest::newRow("term") << u"pfinanceterm"_s << u"99999999999"_s << u"finance term"_s;
        QTest::newRow("third term") << u"pfinanceterm3"_s << u"99999999999"_s << u"third term"_s;
        QTest::newRow("tax rate in per cent")
            << u"ptaxrate"_s << u"7"_s << u"Message: The tax rate is a fraction: 0.07 means 7 %."_s;
    }
    void aNumberTooLargeIsRefusedAndNothingStored() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, named);
        ProgramFolder folder;
        setSetting(u"taxrate"_s, double(0.07f));
        const QVariantList before = storedRecord();
        PreferencesDialog *w = openPreferences();
        type(w, u"ppackage1"_s, u"Changed"_s);
        for (const QString &button : {u"Command1"_s, u"Command2"_s, QString()}) {
            type(w, box, typed);
            const QStringList boxes = said([&] { button.isEmpty() ? void(w->close()) : void(click(w, button)); });
            QVERIFY2(boxes.size() == 1 && boxes[0].contains(named), qPrintable(boxes.join('\n')));
        }
        QCOMPARE(storedRecord(), before);
        QCOMPARE(textOf(w, u"ptaxrate"_s), u"0.07"_s); // the rate kept is the one shown
        QCOMPARE(app().settings().packageNames[0], u"Platinum"_s);
        QVERIFY(app().existing<PreferencesDialog>() && w->isVisible());
    }
};

QTEST_MAIN(PrefsTest)
#include "prefs_test.moc"
