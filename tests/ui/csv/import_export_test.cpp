// The catalogue exported to a CSV file and imported from one, through the product list's commands.

#include "core/store/schema.h"
#include "testsupport.h"
#include "app/application.h"
#include "app/mainwindow.h"
#include "ui/catalogue/productlist.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {
const QByteArray kHeader = "id,aftermarketname,cost,msrp,description,htmlpath,picturepath,installer,phone,notes\r\n";

// Clicks a command of the product list with the file dialogs answering `path`; returns what the boxes said.
QStringList run(const QString &button, const QString &path) {
    auto chooser = [path](QWidget *, const QString &, const QString &, const QString &) { return path; };
    app().setFileChooser(chooser);
    app().setSaveChooser(chooser);
    app().window<MainWindow>()->findChild<QAction *>(u"m_aftermarket"_s)->trigger();
    return said([&] { QVERIFY(click(app().existing<ProductList>(), button)); });
}

QVariantList stored(const QString &field) {
    return column(schema::productsFile(), u"select %1 from [table] order by rowid"_s.arg(field));
}

QStringList listedNames() {
    QStringList names;
    for (const QStringList &row : app().existing<ProductList>()->gridRows().mid(1))
        names << row.value(1);
    return names;
}
} // namespace

class ImportExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;

private slots:
    void cleanup() { closeAllWindows(); }

    // Products (one holding id 0, which only the slots list) exported from one catalogue and imported into
    // another, which gives them new ids from its counter and lists them at once.
    void exportThenImportGivesBackTheProducts() {
        const QString file = m_files.filePath(u"catalogue.csv"_s);
        QVector<Product> products;
        {
            ProgramFolder from;
            addProduct(u"Tire & Wheel, \"Gold\""_s, 0, -125.5, u"Covers, all\r\nfour"_s, u"webpages/t.html"_s);
            addProduct(u"Hidden"_s, -3, 0, QString(), QString(), 0);
            products = app().store().products().all();
            QCOMPARE(run(u"Command6"_s, file),
                     QStringList{u"Message: 2 products exported to %1."_s.arg(QDir::toNativeSeparators(file))});
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll().startsWith(kHeader + "0,Hidden,-3.00,"));
        }
        ProgramFolder to;
        setSetting(u"am_total"_s, 40);
        addProduct(u"Already here"_s, 1, 2);
        QCOMPARE(run(u"Command5"_s, file), QStringList{u"Message: 2 products imported."_s});
        QCOMPARE(stored(u"id"_s), QVariantList({41, 42, 43}));
        QCOMPARE(storedSetting(u"am_total"_s).toInt(), 43);
        QVector<Product> back = app().store().products().all().mid(1);
        for (int i = 0; i < products.size(); ++i)
            products[i].id = back.at(i).id;
        QCOMPARE(back, products);
        QCOMPARE(listedNames(), QStringList({u"Already here"_s, u"Hidden"_s, u"Tire & Wheel, \"Gold\""_s}));
    }

    void importsThatStoreNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        QByteArray seventh = kHeader;
        for (int line = 2; line <= 10; ++line)
            seventh +=
                QByteArray::number(line) + ",Product,10.00," + (line == 7 ? "12abc" : "\"$1,250.00\"") + ",,,,,,\r\n";
        QTest::newRow("bad amount on line 7") << seventh << u"Line 7, msrp: \"12abc\" is not an amount."_s;
        QTest::newRow("header only") << kHeader << u"The file holds no products."_s;
    }
    // Nothing is stored and no id drawn; the message names the file and each problem.
    void importsThatStoreNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        ProgramFolder folder;
        addProduct(u"Kept"_s, 1, 2);
        const QString path = m_files.filePath(u"bad.csv"_s);
        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(file) == file.size());
        bad.close();
        QCOMPARE(run(u"Command5"_s, path), QStringList{u"Error: No products were imported from %1.\n\n%2"_s.arg(
                                               QDir::toNativeSeparators(path), problem)});
        QCOMPARE(stored(u"aftermarketname"_s), QVariantList{u"Kept"_s});
        QCOMPARE(storedSetting(u"am_total"_s).toInt(), 1);
    }
};

QTEST_MAIN(ImportExportTest)
#include "import_export_test.moc"
