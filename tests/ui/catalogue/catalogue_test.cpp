#include "core/store/schema.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/geometry.h"
#include "ui/app/mainwindow.h"
#include "ui/catalogue/filechooser.h"
#include "ui/catalogue/producteditor.h"
#include "ui/catalogue/productgrid.h"
#include "ui/catalogue/productlist.h"

#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace testsupport;
using Col = ProductGridModel::Column;

namespace {
// Every stored field of a product, "|"-joined (a missing description as "~").
const char *kAll = "aftermarketname||'|'||cost||'|'||msrp||'|'||ifnull(description,'~')||'|'||htmlpath||'|'||"
                   "picturepath||'|'||installer||'|'||phone||'|'||notes";

ProductList *list() { return app().existing<ProductList>(); }
ProductEditor *editor() { return app().existing<ProductEditor>(); }
MainWindow *mainWindow() { return app().window<MainWindow>(); }

ProductList *openList() {
    mainWindow()->show();
    if (auto *menu = mainWindow()->findChild<QAction *>("m_aftermarket"))
        menu->trigger();
    return list() && QTest::qWaitForWindowExposed(list()) ? list() : nullptr;
}

QList<QStringList> cells(ProductList *w) { return w->gridRows().mid(1); }
QStringList names(ProductList *w) {
    QStringList out;
    for (const QStringList &row : cells(w))
        out << row.value(Col::NameColumn);
    return out;
}

void clickRow(ProductList *w, int row, int column = Col::NameColumn) {
    auto *grid = control<QTableView>(w, "grid1");
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

ProductEditor *openProduct(const QString &name) {
    ProductList *w = openList();
    if (w && names(w).contains(name))
        clickRow(w, names(w).indexOf(name));
    return editor();
}

QString boxText(QWidget *w, const QString &name) {
    return control(w, name)->property(control(w, name)->inherits("QPlainTextEdit") ? "plainText" : "text").toString();
}

void setBox(QWidget *window, const QString &name, const QString &text) {
    QWidget *box = control(window, name);
    box->setFocus();
    QMetaObject::invokeMethod(box, "selectAll");
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->insert(text);
    QMetaObject::invokeMethod(box, "insertPlainText", Q_ARG(QString, text));
}

QStringList clickAnswering(QWidget *window, const QString &button, const QList<bool> &answers = {true}) {
    QStringList texts;
    for (const BoxSeen &b : answeringBoxes([&] { click(window, button); }, answers))
        texts << b.title + QStringLiteral(": ") + b.text;
    return texts;
}

QString press(QWidget *ed, const char *button) { return click(ed, button), boxText(ed, "aftermarketname"); }

void save(ProductEditor *ed) { QCOMPARE(clickAnswering(ed, "Command1"), QStringList{"Message: Record Saved"}); }

QVariantList stored(const QString &expr, const QString &where) {
    return column(schema::productsFile(), QString("select %1 from [table] where %2 order by rowid").arg(expr, where));
}

void store(int id, const QString &name, double cost, double msrp, const QString &installer = {},
           const QString &phone = {}, const QString &notes = {}, const QString &picturepath = {}) {
    app().store().productsFile().exec(
        "insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
        "installer, phone, notes) values (?,?,?,?,?,?,?,?,?,?)",
        {id, name, cost, msrp, "From 1,000 feet", "page.html", picturepath, installer, phone, notes});
}
} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        m_folder = std::make_unique<ProgramFolder>();
        QVERIFY(m_folder->ok());
    }
    void cleanup() {
        app().setFileChooser({});
        QVERIFY2(m_folder->databaseErrors().isEmpty(), qPrintable(m_folder->databaseErrors().join('\n')));
        m_folder.reset();
    }

    void listAndAddItem() {
        setSetting("am_total", 40);
        ProductList *w = openList();
        QVERIFY(w);
        // No products: one empty row, which opens nothing.
        QCOMPARE(cells(w), QList<QStringList>{QStringList(ProductGridModel::ColumnCount, QString())});
        clickRow(w, 0);
        QCoreApplication::processEvents();
        QVERIFY(!editor());
        store(2, "Wax", 5, 90, "", "", "one\r\ntwo");
        store(5, "Wax", 100, 95); // amounts sort as numbers: 100 after 5
        store(6, "Wax", 5, 40, "", "", "a\tb");
        store(12, "  Film  ", 100, 250.5, " Tint Co ", "555-0101", "Fits all");
        store(41, "Zz", 1, 1); // already holds the id the counter hands out next
        // "Add Item" stores an empty product under a new id and edits it, not the older one.
        QCOMPARE(clickAnswering(w, "Command1"), QStringList());
        QTRY_VERIFY(!list() && editor());
        ProductEditor *ed = editor();
        QCOMPARE(boxText(ed, "aftermarketname"), QString());
        QCOMPARE(storedSetting("am_total").toInt(), 41);
        QCOMPARE(stored("id||'|'||cost||'|'||ifnull(description,'~')", "aftermarketname=''"), QVariantList{"41|0.0|~"});
        for (const char *button : {"Command4", "Command5", "Command6", "Command7"}) {
            click(ed, button);
            QCOMPARE(boxText(ed, "id"), QStringLiteral("41"));
        }
        click(ed, "Command8");
        QTRY_VERIFY(list());
        QCOMPARE(cells(list()),
                 (QList<QStringList>{{"41", "", "$0.00", "$0.00", "$0.00", "", "", ""},
                                     {"12", "Film", "$100.00", "$250.50", "$150.50", "Tint Co", "555-0101", "Fits all"},
                                     {"6", "Wax", "$5.00", "$40.00", "$35.00", "", "", "a\tb"},
                                     {"2", "Wax", "$5.00", "$90.00", "$85.00", "", "", "one\r\ntwo"},
                                     {"5", "Wax", "$100.00", "$95.00", "$-5.00", "", "", ""},
                                     {"41", "Zz", "$1.00", "$1.00", "$0.00", "", "", ""}}));
        QCOMPARE(clickAnswering(list(), "Command2", {false}), QStringList{"Are You Sure?: Print List?"});
        mainWindow()->hide();
        click(list(), "Command3");
        QTRY_VERIFY(!list());
        QVERIFY(mainWindow()->isVisible());
    }

    void editSaveAndNavigate() {
        addProduct("Bb", 2, 20);
        addProduct("Cc", 3, 30);
        ProductList *w = openList();
        QVERIFY(w);
        // Another copy of the program adds a product: the editor walks the whole list as stored now.
        addProduct("Aa", 1, 10, "Guards the car");
        clickRow(w, 1, Col::NotesColumn);
        QTRY_VERIFY(!list());
        ProductEditor *ed = editor();
        QVERIFY(ed && ed->isVisible());
        QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Cc"));
        type(ed, "phone", "555-0100");
        QCOMPARE(press(ed, "Command5"), QStringLiteral("Bb"));
        QCOMPARE(stored("phone", "id<3"), (QVariantList{"", "555-0100"}));
        QCOMPARE(press(ed, "Command4"), QStringLiteral("Aa"));
        // "<" on the first saves and stays; an emptied description leaves the stored one.
        setBox(ed, "description", QString());
        type(ed, "installer", "In-house");
        QCOMPARE(press(ed, "Command5"), QStringLiteral("Aa"));
        QCOMPARE(stored("installer||'|'||description", "id=3"), QVariantList{"In-house|Guards the car"});
        QCOMPARE(press(ed, "Command6"), QStringLiteral("Bb"));
        QCOMPARE(boxText(ed, "description"), QString());
        for (const auto &[box, text] :
             {std::pair{"aftermarketname", "  Alarm Plus  "}, {"cost", "12.50"}, {"msrp", "249.95"}})
            type(ed, box, text);
        setBox(ed, "description", "Two remotes\nShock sensor");
        setBox(ed, "notes", "Install takes\n2 hours");
        save(ed);
        QCOMPARE(stored(kAll, "id=1"), QVariantList{"Alarm Plus|12.5|249.95|Two remotes\r\nShock sensor|||||"
                                                    "Install takes\r\n2 hours"});
        // ">" on the last saves and shows it again.
        click(ed, "Command7");
        type(ed, "phone", "555-0001");
        QCOMPARE(press(ed, "Command6"), QStringLiteral("Cc"));
        QCOMPARE(stored("phone", "id=2"), QVariantList{"555-0001"});
        // Clear Form then Save: the emptied product is stored under id 0, which the list leaves out.
        click(ed, "Command2");
        QCOMPARE(boxText(ed, "id") + boxText(ed, "aftermarketname"), QString());
        QCOMPARE(stored("id", "aftermarketname='Cc'"), QVariantList{2}); // nothing stored yet
        save(ed);
        QCOMPARE(stored("id||aftermarketname||phone", "id=0"), QVariantList{"0"});
        QCOMPARE(stored("count(*)", "1"), QVariantList{3});
        QCOMPARE(press(ed, "Command5"), QStringLiteral("Alarm Plus"));
        QCOMPARE(boxText(ed, "cost"), QStringLiteral("12.5"));
        // The list opened again while the editor is open: it stores its record before taking another.
        type(ed, "msrp", "250");
        w = openList();
        QVERIFY(w);
        QCOMPARE(names(w), (QStringList{"Aa", "Alarm Plus"}));
        clickRow(w, 0);
        QTRY_VERIFY(!list());
        QCOMPARE(editor(), ed);
        QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Aa"));
        // Closing from the title bar saves like EXIT.
        type(ed, "aftermarketname", "Ab");
        ed->close();
        QTRY_VERIFY(!editor() && list());
        QCOMPARE(names(list()), (QStringList{"Ab", "Alarm Plus"}));
        QCOMPARE(cells(list()).value(1).value(Col::ProfitColumn), QStringLiteral("$237.50"));
    }

    void copyEditTheCopyThenDeleteIt() {
        const QString picture = QStringLiteral("C:\\Pictures\\kit\r\nsecond 50%.jpg");
        store(7, "Remote Start", 150, 499, "Car Audio Pros", "555-0122", "Two-way remote", picture);
        setSetting("am_total", 20);
        ProductEditor *ed = openProduct("Remote Start");
        QVERIFY(ed);
        QCOMPARE(clickAnswering(ed, "Command9"), QStringList{"Are You Sure?: Copy Record?"});
        QCOMPARE(boxText(ed, "id"), QStringLiteral("21"));
        QCOMPARE(storedSetting("am_total").toInt(), 21);
        QCOMPARE(stored("id", "1"), (QVariantList{7, 21}));
        QCOMPARE(stored(kAll, "id=21"), stored(kAll, "id=7"));
        // Cancelled, failed, then chosen: only a chosen file replaces the box, and only a save stores it.
        const QString page = m_folder->dataFile(schema::productsFile()); // any file that exists
        for (const QString &answer : {QString(), QStringLiteral("/no/such/folder/page.html"), page}) {
            QStringList asked;
            app().setFileChooser([&](QWidget *, const QString &dir, const QString &title, const QString &filter) {
                asked << dir << title << filter;
                return answer;
            });
            QCOMPARE(clickAnswering(ed, "Command10"),
                     answer.startsWith("/no/") ? QStringList{"Error: Invalid File"} : QStringList());
            QCOMPARE(asked, (QStringList{app().webpagesFolder(), "Open", "All Files (*.*)"}));
            QCOMPARE(boxText(ed, "htmlpath"), answer == page ? page : "page.html");
            QCOMPARE(stored("htmlpath", "id=21"), QVariantList{"page.html"});
        }
        const QString mixed = QStringLiteral("He said \"fit it\"; it's 50% off \\ C:\\Pages\\ Müller Ærø Škoda 日本 ☺");
        const QString notes = mixed + "\nsecond line\n\nfourth";
        QString big = mixed;
        while (big.size() < 100 * 1024)
            big += '\n' + mixed;
        const QList<std::pair<const char *, QString>> texts{
            {"aftermarketname", mixed}, {"description", big}, {"notes", notes}};
        for (const auto &[box, text] : texts)
            setBox(ed, box, text);
        click(ed, "Command8");
        QTRY_VERIFY(list());
        QCOMPARE(stored("htmlpath||picturepath", "id=21"), QVariantList{page + picture}); // the hidden box goes along
        for (const auto &[box, text] : texts)
            QCOMPARE(stored(box, "id=21"), QVariantList{QString(text).replace('\n', "\r\n")});
        QCOMPARE(stored("aftermarketname", "id=7"), QVariantList{"Remote Start"});
        QCOMPARE(names(list()), (QStringList{mixed, "Remote Start"}));
        QCOMPARE(cells(list()).value(0).value(Col::NotesColumn), QString(notes).replace('\n', "\r\n"));
        clickRow(list(), 0);
        QTRY_VERIFY((ed = editor()));
        for (const auto &[box, text] : texts)
            QCOMPARE(boxText(ed, box), text);
        QCOMPARE(clickAnswering(ed, "Command3", {false}), QStringList{"Are You Sure?: Delete Current Record?"});
        QCOMPARE(editor(), ed);
        QCOMPARE(clickAnswering(ed, "Command3", {true}), QStringList{"Are You Sure?: Delete Current Record?"});
        QTRY_VERIFY(!editor());
        QVERIFY(list() && list()->isVisible());
        QCOMPARE(names(list()), QStringList{"Remote Start"});
        QCOMPARE(stored("id", "1"), QVariantList{7});
        QCOMPARE(storedSetting("am_total").toInt(), 21);
    }

    // Another copy of the program deletes products while this one works on them: a save reports only a
    // real store, and the editor never lets go of its product before the next one is there.
    void productsGoneFromUnderTheEditor() {
        store(3, "Cc", 3, 30);
        store(4, "Dd", 4, 40);
        store(5, "Ee", 5, 50);
        ProductEditor *ed = openProduct("Dd");
        QVERIFY(ed);
        app().store().productsFile().exec("delete from [table] where id=4");
        type(ed, "phone", "555-0199");
        QCOMPARE(clickAnswering(ed, "Command1"),
                 QStringList{"Message: This record no longer exists, so nothing was saved."});
        QCOMPARE(stored("count(*)", "1"), QVariantList{2});
        // Moving on still works: the walk steps over the deleted product.
        QCOMPARE(press(ed, "Command6"), QStringLiteral("Ee"));
        // The list, read before another product went, is clicked on it: the editor keeps its product,
        // with what it showed stored, and the list shows what is there now.
        type(ed, "installer", "In-house");
        ProductList *w = openList();
        QVERIFY(w);
        QCOMPARE(names(w), (QStringList{"Cc", "Ee"}));
        app().store().productsFile().exec("delete from [table] where id=3");
        QList<BoxSeen> told = answeringBoxes([&] { clickRow(w, 0); });
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].text, QStringLiteral("This product is no longer in the catalogue."));
        QCOMPARE(editor(), ed);
        QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Ee"));
        QCOMPARE(stored("installer", "id=5"), QVariantList{"In-house"});
        QCOMPARE(names(w), QStringList{"Ee"});
        // Every id used: Add Item stores nothing, and the editor stays on its product.
        setSetting("am_total", 2147483647);
        type(ed, "installer", "Tint Co");
        QCOMPARE(clickAnswering(w, "Command1"),
                 QStringList{"Message: No new product can be added: every product number has been used."});
        QCOMPARE(stored("installer", "id=5"), QVariantList{"Tint Co"});
        QCOMPARE(stored("count(*)", "1"), QVariantList{1});
        QCOMPARE(editor(), ed);
        type(ed, "phone", "555-0123");
        save(ed);
        QCOMPARE(stored("phone", "id=5"), QVariantList{"555-0123"});
        // A description made of line breaks is a description: only blanks are trimmed.
        setBox(ed, "description", "\n\n");
        save(ed);
        QCOMPARE(stored("description", "id=5"), QVariantList{"\r\n\r\n"});
    }
};

QTEST_MAIN(CatalogueTest)
#include "catalogue_test.moc"
