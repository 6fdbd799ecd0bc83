#pragma once

#include "core/store/product.h"
#include "ui/common/recordnavigation.h"

#include <QWidget>

class Program;
class FileChooser;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class WindowClosing;

// The product editor: shows one product of the walk its list handed over, and stores what it shows
// before every move and before it is left.
class ProductEditor : public QWidget {
    Q_OBJECT
public:
    explicit ProductEditor(Program &app);

    // Stands on the walk's current product (storing first what an earlier walk showed).
    void open(std::unique_ptr<RecordWalk<Product>> walk);
    // Stores what the editor shows into the product it stands on; true when it was stored.
    bool save();

    // The product as the boxes show it, and the boxes filled from a product.
    Product shown() const;
    void show(const Product &product);
    using QWidget::show;
    // "Clear Form": every box, the id included, emptied; nothing is stored yet.
    void clearform();

signals:
    // The editor has closed (EXIT or Delete): the list is to be shown again.
    void finished();

private:
    // The buttons, the tab order of the first version, and what the buttons do.
    void makeCommands();
    void chooseFile();
    void leave();

    Program &m_app;
    RecordNavigation<Product> m_navigation;
    QLineEdit *m_idBox, *m_nameBox, *m_costBox, *m_msrpBox, *m_pageBox, *m_pictureBox, *m_installerBox, *m_phoneBox;
    QPlainTextEdit *m_descriptionBox, *m_notesBox;
    QPushButton *m_saveButton, *m_clearButton, *m_deleteButton, *m_firstButton, *m_previousButton, *m_nextButton,
        *m_lastButton, *m_exitButton, *m_copyButton, *m_chooseFileButton;
    FileChooser *m_fileChooser;
    WindowClosing *m_closing;
};
