#include "ui/catalogue/productlist.h"

#include "core/money/numbers.h"
#include "core/print/printer.h"
#include "core/print/productlistprintout.h"
#include "core/store/productcsv.h"
#include "ui/common/program.h"
#include "ui/common/geometry.h"
#include "ui/common/prompts.h"
#include "ui/common/serveraccount.h"
#include "ui/common/windowclosing.h"
#include "ui/common/filechooser.h"
#include "ui/catalogue/producteditor.h"
#include "ui/catalogue/productgrid.h"
#include "ui/print/printpreview.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <limits>

namespace {
QString csvFilter() { return ProductList::tr("CSV files (*.csv);;All files (*)"); }
} // namespace

ProductList::ProductList(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("aftermarketlist"));
    setWindowTitle(tr("Aftermarket List"));
    ui::setClientSize(this, 12660, 7650);

    // The search sits above the grid, as in the deal history.
    m_searchBox = ui::searchBox(this, tr("Name, installer or description"));

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grid1"));
    ui::place(m_grid, 120, 525, 12495, 6450);
    m_model = new ProductGridModel(m_grid);
    m_grid->setModel(m_model);
    ui::setUpListGrid(m_grid);
    QHeaderView *head = m_grid->horizontalHeader();
    head->setStretchLastSection(false);
    head->setMinimumSectionSize(0);

    m_addButton = ui::button(this, QStringLiteral("Command1"), tr("Add Item"), 120, 7080, 1335, 495);
    m_printButton = ui::button(this, QStringLiteral("Command2"), tr("Print List"), 1560, 7080, 1335, 495);
    m_exitButton = ui::button(this, QStringLiteral("Command3"), tr("EXIT"), 3000, 7080, 1335, 495);
    // The commands beyond the first version follow EXIT.
    m_previewButton = ui::button(this, QStringLiteral("Command4"), tr("Preview List"), 4440, 7080, 1335, 495);
    m_importButton = ui::button(this, QStringLiteral("Command5"), tr("Import…"), 5880, 7080, 1335, 495);
    m_exportButton = ui::button(this, QStringLiteral("Command6"), tr("Export…"), 7320, 7080, 1335, 495);
    QWidget *order[] = {m_searchBox,  m_grid,          m_addButton,    m_printButton,
                        m_exitButton, m_previewButton, m_importButton, m_exportButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_searchBox, &QLineEdit::textChanged, m_model, &ProductGridModel::narrow);
    connect(m_grid, &QTableView::clicked, this, &ProductList::openRow);
    connect(m_addButton, &QPushButton::clicked, this, &ProductList::addItem);
    connect(m_printButton, &QPushButton::clicked, this, &ProductList::printList);
    m_closing = new WindowClosing(this, WindowClosing::Leaving::Unloads, [this] {
        exitWindow();
        return true;
    });
    connect(m_exitButton, &QPushButton::clicked, m_closing, &WindowClosing::exit);
    connect(m_previewButton, &QPushButton::clicked, this, &ProductList::previewList);
    connect(m_importButton, &QPushButton::clicked, this, &ProductList::importProducts);
    connect(m_exportButton, &QPushButton::clicked, this, &ProductList::exportProducts);
    if (!m_app.store().mayChange(Store::What::Catalogue))
        for (QWidget *control : {m_addButton, m_importButton})
            serveraccount::keepFromChanging(control);

    const QVector<int> widths = ProductGridModel::widthsInTwips();
    for (int c = 0; c < ProductGridModel::ColumnCount; ++c)
        head->resizeSection(c, ui::tw(widths.at(c)));
    // One twip wide: the key column is there but never seen.
    m_grid->setColumnHidden(ProductGridModel::IdColumn, ui::tw(widths.at(0)) == 0);
    reload();
    connect(&m_app.store().events(), &StoreEvents::productsChanged, this, &ProductList::reload);
    ui::centre(this);
}

void ProductList::reload() { m_model->fill(m_app.store().products().listed()); }

QList<QStringList> ProductList::gridRows() const { return m_model->gridRows(); }

ProductEditor *ProductList::editor() {
    const bool made = !m_app.existing<ProductEditor>();
    ProductEditor *editor = m_app.window<ProductEditor>();
    if (made) {
        Program *app = &m_app;
        connect(editor, &ProductEditor::finished, app, [app] { Program::bringUp(app->window<ProductList>()); });
    }
    return editor;
}

void ProductList::handOver(ProductEditor *editor) {
    Program::bringUp(editor);
    m_closing->left();
    m_app.unload<ProductList>();
}

void ProductList::openRow(const QModelIndex &index) {
    if (!index.isValid())
        return;
    const int row = index.row();
    const double wanted = numbers::val(m_model->cellText(row, ProductGridModel::IdColumn));
    if (wanted == 0)
        return;
    // Taken before the open editor stores: the list reads the catalogue again then, and its rows may move.
    const qint64 clicked = m_model->recordAt(row);
    // An editor still open stores what it shows before the clicked product is read; it lets go of its
    // product only once the clicked one is found.
    if (ProductEditor *open = m_app.existing<ProductEditor>())
        open->save();
    // The editor walks the products as the list's query and search give them now, standing on the clicked
    // one (read afresh); if it has gone or holds another product now, the list is read again instead.
    ProductRepository &products = m_app.store().products();
    const QVector<StoredProduct> listed = products.listed();
    QVector<qint64> records;
    records.reserve(listed.size());
    int position = -1;
    for (const StoredProduct &p : listed) {
        if (p.record == clicked)
            position = int(records.size());
        else if (!m_model->shows(p.product))
            continue;
        records << p.record;
    }
    std::unique_ptr<RecordWalk<Product>> walk = products.walk(std::move(records), position);
    if (!walk->hasCurrent() || walk->current().id != wanted) {
        prompts::notice(tr("This product is no longer in the catalogue."), this);
        reload();
        return;
    }
    ProductEditor *productEditor = editor();
    productEditor->open(std::move(walk));
    handOver(productEditor);
}

void ProductList::addItem() {
    // An editor still open stores what it shows before anything else happens (and keeps its product
    // until the new one is stored).
    if (ProductEditor *open = m_app.existing<ProductEditor>())
        open->save();
    // The id is drawn and written before the product that uses it is stored.
    const std::optional<qint32> id = m_app.drawId(Counter::Products, this);
    if (!id)
        return;
    Product added;
    added.id = *id;
    ProductRepository &products = m_app.store().products();
    const std::optional<qint64> record = products.add(added);
    if (!record)
        return;
    // The editor walks only the new product.
    ProductEditor *productEditor = editor();
    productEditor->open(products.walk({*record}, 0));
    handOver(productEditor);
}

void ProductList::printList() {
    if (prompts::confirm(tr("Print List?"), this) != 1)
        return;
    printProductList(m_app.printer().device(), gridRows(), m_app.settings().dealershipName, QDate::currentDate());
}

void ProductList::previewList() {
    const QList<QStringList> rows = gridRows();
    const QString dealership = m_app.settings().dealershipName;
    const QDate today = QDate::currentDate(); // the pages saved from the preview carry the day it showed
    auto *window = new PrintPreview(
        m_app, tr("Product List"), QStringLiteral("Product List.pdf"),
        [rows, dealership, today](Printer &printer) {
            return printProductList(printer.device(), rows, dealership, today);
        },
        this);
    window->show();
}

void ProductList::importProducts() {
    const FileChoice choice =
        FileChooser(m_app, nullptr).open(this, FileChooser::documentsFolder(), tr("Import Products"), csvFilter());
    if (choice.failed) {
        prompts::error(tr("No products were imported: the chosen file cannot be read."), this);
        return;
    }
    if (choice.path.isEmpty())
        return;
    const productcsv::ReadResult read = productcsv::readFile(choice.path);
    if (!read.ok()) {
        prompts::error(tr("No products were imported from %1.\n\n%2")
                           .arg(QDir::toNativeSeparators(choice.path), productcsv::problemsMessage(read.problems)),
                       this);
        return;
    }
    const Store::AddedProducts added = m_app.store().addProducts(read.products);
    if (added.exhausted) {
        // The counter as stored now: another copy may have drawn from it since the settings were read.
        const qint64 left = std::numeric_limits<qint32>::max() - qint64(m_app.store().settings().read().productCounter);
        prompts::notice(tr("No products were imported: the file holds %1 products, but only %2 "
                           "product numbers are left.")
                            .arg(read.products.size())
                            .arg(left),
                        this);
        return;
    }
    if (!added.stored) {
        prompts::error(tr("No products were imported: the catalogue could not be written."), this);
        return;
    }
    prompts::notice(tr("%1 products imported.").arg(read.products.size()), this);
}

void ProductList::exportProducts() {
    const QString path = FileChooser(m_app, nullptr)
                             .save(this, QDir(FileChooser::documentsFolder()).filePath(QStringLiteral("products.csv")),
                                   tr("Export Products"), csvFilter(), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const QVector<Product> products = m_app.store().products().all();
    QString why;
    if (!productcsv::writeFile(path, products, &why)) {
        prompts::error(tr("The products were not exported to %1: %2").arg(QDir::toNativeSeparators(path), why), this);
        return;
    }
    prompts::notice(tr("%1 products exported to %2.")
                        .arg(products.size())
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())),
                    this);
}

void ProductList::exitWindow() {
    m_app.unload<ProductList>();
    m_app.showHome();
}
