// The catalogue exported to a CSV file and imported from one, through the product list's commands.

#include "core/store/productcsv.h"
#include "core/store/schema.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/catalogue/productlist.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace testsupport;

namespace {
const QByteArray kHeader = "id,aftermarketname,cost,msrp,description,htmlpath,picturepath,installer,phone,notes\r\n";

ProductList *openList() {
    MainWindow *main = app().window<MainWindow>();
    main->show();
    if (auto *menu = main->findChild<QAction *>(QStringLiteral("m_aftermarket")))
        menu->trigger();
    ProductList *list = app().existing<ProductList>();
    return list && QTest::qWaitForWindowExposed(list) ? list : nullptr;
}

// Clicks a command of the list with the file dialogs answering `path`; returns what the boxes said.
QStringList run(const QString &button, const QString &path) {
    QStringList offered;
    auto chooser = [&](QWidget *, const QString &suggested, const QString &, const QString &filter) {
        offered << suggested << filter;
        return path;
    };
    app().setFileChooser(chooser);
    app().setSaveChooser(chooser);
    QStringList said;
    for (const BoxSeen &box : answeringBoxes([&] { QVERIFY(click(openList(), button)); }))
        said << box.title + QStringLiteral(": ") + box.text;
    if (!path.isEmpty())
        [&] {
            QVERIFY2(offered.value(1).startsWith(QStringLiteral("CSV files (*.csv)")), qPrintable(offered.join('|')));
        }();
    return said;
}

QVariantList stored(const QString &expression) {
    return column(schema::productsFile(), QStringLiteral("select %1 from [table] order by rowid").arg(expression));
}

QStringList listedNames() {
    QStringList names;
    for (const QStringList &row : app().existing<ProductList>()->gridRows().mid(1))
        names << row.value(1);
    return names;
}

QString writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("could not write %s", qPrintable(path));
    return path;
}
} // namespace

class ImportExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { closeAllWindows(); }

    // Awkward products (one of them holding id 0, so listed nowhere but the slots) exported from one
    // catalogue and imported into another, which gives them new ids from its counter.
    void exportThenImportGivesBackTheProducts() {
        const QString file = m_files.filePath(QStringLiteral("catalogue.csv"));
        QVector<Product> products;
        {
            ProgramFolder from;
            QVERIFY(from.ok());
            addProduct(QStringLiteral("Tire & Wheel, \"Gold\""), 0, -125.5, QStringLiteral("Covers, all\r\nfour"),
                       QStringLiteral("webpages/tire.html"));
            addProduct(QStringLiteral("Schutzfolie für Türen — Größe XL"), 1250, 2999.99);
            addProduct(QStringLiteral("Hidden"), -3, 0, QString(), QString(), 0);
            QVERIFY(app().store().productsFile().exec(
                QStringLiteral("update [table] set installer='O''Brien & Sons', phone='555-0100', "
                               "notes=?, picturepath='pics/a b.png' where id=1"),
                {QStringLiteral("Ask for \"Sam\"\r\nCall first, then visit")}));
            products = app().store().products().all();
            QCOMPARE(products.size(), 3);
            QCOMPARE(
                run(QStringLiteral("Command6"), file),
                QStringList{QStringLiteral("Message: 3 products exported to %1.").arg(QDir::toNativeSeparators(file))});
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QByteArray bytes = written.readAll();
            QVERIFY2(bytes.startsWith(kHeader + "0,Hidden,-3.00,0.00,"), bytes.constData());
            QVERIFY(bytes.contains(",\"Ask for \"\"Sam\"\"\r\nCall first, then visit\"\r\n"));
        }
        ProgramFolder to;
        QVERIFY(to.ok());
        setSetting(QStringLiteral("am_total"), 40);
        addProduct(QStringLiteral("Already here"), 1, 2);
        QCOMPARE(run(QStringLiteral("Command5"), file), QStringList{QStringLiteral("Message: 3 products imported.")});
        QCOMPARE(stored(QStringLiteral("id")), QVariantList({41, 42, 43, 44}));
        QCOMPARE(storedSetting(QStringLiteral("am_total")).toInt(), 44);
        QCOMPARE(app().settings().productCounter, 44);
        QVector<Product> back = app().store().products().all();
        back.removeIf([](const Product &p) { return p.name == QLatin1String("Already here"); });
        for (int i = 0; i < products.size(); ++i)
            products[i].id = back.at(i).id; // new ids, the file's order kept
        QCOMPARE(back, products);
        // The list shows them at once, the one that held id 0 too, now that it has an id of its own.
        QCOMPARE(listedNames(), QStringList({QStringLiteral("Already here"), QStringLiteral("Hidden"),
                                             QStringLiteral("Schutzfolie für Türen — Größe XL"),
                                             QStringLiteral("Tire & Wheel, \"Gold\"")}));
        QVERIFY(to.databaseErrors().isEmpty());
    }

    void importsThatStoreNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problems");
        QByteArray seventh = kHeader;
        for (int line = 2; line <= 10; ++line)
            seventh += QByteArray::number(line) + ",Product " + QByteArray::number(line) + ",10.00," +
                       (line == 7 ? "12abc" : "\"$1,250.00\"") + ",,,,,,\r\n";
        QTest::newRow("bad amount on line 7") << seventh << QStringLiteral("Line 7, msrp: \"12abc\" is not an amount.");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("The file is empty.");
        QTest::newRow("header only") << kHeader << QStringLiteral("The file holds no products.");
        QTest::newRow("empty name") << QByteArray("Cost,AftermarketName\r\n5,Fine\r\n6,\"  \"\r\n")
                                    << QStringLiteral("Line 3, aftermarketname: the name is empty.");
    }
    // Nothing is stored, no id is drawn, and the message names the file and each problem.
    void importsThatStoreNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, problems);
        ProgramFolder folder;
        QVERIFY(folder.ok());
        addProduct(QStringLiteral("Kept"), 1, 2);
        const QString path = writeFile(m_files.filePath(QStringLiteral("bad.csv")), file);
        const QStringList said = run(QStringLiteral("Command5"), path);
        QCOMPARE(said.size(), 1);
        QCOMPARE(said.first().section(QLatin1Char('\n'), 0, 1),
                 QStringLiteral("Error: No products were imported from %1.\n").arg(QDir::toNativeSeparators(path)));
        QCOMPARE(said.first().section(QLatin1Char('\n'), 2, 2), problems);
        QCOMPARE(stored(QStringLiteral("aftermarketname")), QVariantList{QStringLiteral("Kept")});
        QCOMPARE(storedSetting(QStringLiteral("am_total")).toInt(), 1);
        QCOMPARE(listedNames(), QStringList{QStringLiteral("Kept")});
    }

    // Cancelled dialogs change nothing; a file that cannot be written or read is said so.
    void cancelledAndUnusableFiles() {
        ProgramFolder folder;
        QVERIFY(folder.ok());
        addProduct(QStringLiteral("Kept"), 1, 2);
        QCOMPARE(run(QStringLiteral("Command5"), QString()), QStringList());
        QCOMPARE(run(QStringLiteral("Command6"), QString()), QStringList());
        const QString missingFolder = m_files.filePath(QStringLiteral("no such folder/products.csv"));
        const QStringList exported = run(QStringLiteral("Command6"), missingFolder);
        QCOMPARE(exported.size(), 1);
        QVERIFY2(exported.first().startsWith(QStringLiteral("Error: The products were not exported to %1: ")
                                                 .arg(QDir::toNativeSeparators(missingFolder))),
                 qPrintable(exported.first()));
        QCOMPARE(run(QStringLiteral("Command5"), missingFolder),
                 QStringList{QStringLiteral("Error: No products were imported: the chosen file cannot be read.")});
        QCOMPARE(stored(QStringLiteral("aftermarketname")), QVariantList{QStringLiteral("Kept")});
        QVERIFY(folder.databaseErrors().isEmpty());
    }
};

QTEST_MAIN(ImportExportTest)
#include "import_export_test.moc"
