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

} // namespace

class PrefsTest : public QObject {
    Q_OBJECT
private slots:

    // Texts lose the blanks around them and keep their lines, the options are stored as ticked (SAVE); numbers
    // are read as their leading number (EXIT). Shown again: a further term of 0 empty, one untouched as it was.
    void typedValuesAreStoredAndShownBack() {
        // What is typed in the rate and term boxes, and the rate and term stored.
        for (const auto &[typed, storedTax, storedTerm] :
             {std::tuple{u"0.5% or 84.5 months"_s, 0.5, 84}, {u"seven"_s, 0.0, 0}}) { // percent sign, halves to even
            ProgramFolder folder;
            setSettings({{"financeterm3", 96}, {"passwordprotect", 1}, {"includetax", 1}});
            PreferencesDialog *w = fromMenu<PreferencesDialog>(u"m_prefs"_s);
            QCOMPARE(textOf(w, u"pstatement"_s), schema::defaultStatement());
            type(w, u"pdealershipname"_s, u"   Smith & Sons Motors  "_s);
            type(w, u"pdisclaimer"_s, u"  First line\nSecond line  "_s);
            type(w, u"pstatement"_s, u" I chose freely.\nNothing was packed in.  "_s);
            for (const auto &[option, on] :
                 {std::pair{"pincludetax", false}, {"pleasedeal", true}, {"ppasswordprotect", false}})
                QVERIFY(tick(w, QLatin1String(option), on));
            QCOMPARE(said(w, u"Command1"_s), QStringList{u"Message: Preferences Saved"_s});
            QVERIFY(w->isVisible());
            QCOMPARE(
                column(schema::preferencesFile(), u"select dealershipname || '|' || disclaimer || '|' || statement || "
                                                  "'|' || includetax || leasedeal || passwordprotect from [table]"_s),
                QVariantList{
                    u"Smith & Sons Motors|First line\r\nSecond line|I chose freely.\r\nNothing was packed in.|010"_s});

            type(w, u"ptaxrate"_s, typed);
            type(w, u"pfinanceterm"_s, typed.section(u" or "_s, -1));
            type(w, u"pfinanceterm2"_s, typed.section(u" or "_s, -1));
            QVERIFY(click(w, u"Command2"_s));
            QCOMPARE(storedSetting(u"taxrate"_s).toDouble(), storedTax);
            QCOMPARE(storedSetting(u"financeterm"_s).toInt(), storedTerm);
            QCOMPARE(app().settings().financeTerm2, storedTerm);
            w = fromMenu<PreferencesDialog>(u"m_prefs"_s);
            QCOMPARE(textOf(w, u"pfinanceterm2"_s) + u"|"_s + textOf(w, u"pfinanceterm3"_s) + u"|"_s +
                         textOf(w, u"pstatement"_s),
                     (storedTerm ? QString::number(storedTerm) : QString()) +
                         u"|96|I chose freely.\nNothing was packed in."_s);
        }
    }

    // A number out of range or a tax rate in per cent is refused by SAVE, EXIT and the title bar alike; put
    // right, EXIT stores the values as they were, single-precision rates included, and closes.
    void aNumberTooLargeIsRefusedAndNothingStored() {
        // The box, what is typed, and what the message names.
        for (const auto &[box, typed, named] :
             {std::tuple{u"pfinanceterm"_s, u"99999999999"_s, u"finance term"_s},
              {u"pfinanceterm3"_s, u"99999999999"_s, u"third term"_s},
              {u"ptaxrate"_s, u"7"_s, u"Message: The tax rate is a fraction: 0.07 means 7 %."_s}}) {
            ProgramFolder folder;
            setSettings({{"taxrate", double(0.0825f)}, {"interestrate", double(6.9f)}});
            const QVariantList before = storedRecord();
            PreferencesDialog *w = fromMenu<PreferencesDialog>(u"m_prefs"_s);
            QCOMPARE(textOf(w, u"ptaxrate"_s) + u" "_s + textOf(w, u"pinterestrate"_s), u"0.0825 6.9"_s);
            const QString was = textOf(w, box);
            type(w, u"ppackage1"_s, u"Changed"_s);
            for (const QString &button : {u"Command1"_s, u"Command2"_s, QString()}) {
                type(w, box, typed);
                const QStringList boxes = said([&] { button.isEmpty() ? void(w->close()) : void(click(w, button)); });
                QVERIFY2(boxes.size() == 1 && boxes[0].contains(named), qPrintable(boxes.join('\n')));
            }
            QCOMPARE(storedRecord(), before);
            QCOMPARE(textOf(w, u"ptaxrate"_s), u"0.0825"_s); // the rate kept is the one shown
            QCOMPARE(app().settings().packageNames[0], u"Platinum"_s);
            QVERIFY(app().existing<PreferencesDialog>() && w->isVisible());
            type(w, box, was);
            type(w, u"ppackage1"_s, u"Platinum"_s);
            QVERIFY(click(w, u"Command2"_s));
            QCOMPARE(storedRecord(), before);
            QTRY_VERIFY(!app().existing<PreferencesDialog>());
            QVERIFY(app().existing<MainWindow>()->isVisible());
        }
    }
};

QTEST_MAIN(PrefsTest)
#include "prefs_test.moc"
