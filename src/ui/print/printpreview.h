#pragma once
// A printout on screen before paper is spent on it: its pages as the program's printer would print them,
// with page and zoom controls, "Print" and "Save PDF…". The pages, the printout and the PDF are all drawn
// by the one layout routine the window is given, the same one the print command runs.

#include <QDialog>
#include <functional>
#include <memory>

class Program;
class Printer;
class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QSpinBox;

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    // Draws the whole document on a printer; false when the printer failed (the device told the user).
    using Layout = std::function<bool(Printer &)>;

    // `title` names the document in the window's title and in its messages ("Deal", "Product List");
    // `fileName` is the PDF name offered, without its folder. The window blocks its parent's window while
    // it is open and is deleted when closed.
    PrintPreview(Program &app, const QString &title, const QString &fileName, Layout layout, QWidget *parent);
    ~PrintPreview() override;

    // Draws the document on `printer` as the preview's pages, "Print" and "Save PDF…" do.
    bool drawOn(Printer &printer) const;
    // The pages the preview shows, and whether it lays them out in landscape.
    int pageCount() const;
    bool landscape() const;

    // "Print": on the program's printer, as the print command prints, without its question (looking at
    // the pages was the question); the preview closes once the printer has taken the document.
    void print();
    // "Save PDF…": the document, placed as on paper, in a PDF file the user chooses.
    void savePdf();

private:
    void drawPages(QPrinter *target);
    void goTo(int page);
    void showPageNumber();

    Program &m_app;
    QString m_fileName;
    Layout m_layout;
    std::unique_ptr<QPrinter> m_sheet; // the preview's pages, set up as the program's printer
    QPrintPreviewWidget *m_view;
    QSpinBox *m_pageBox;
    QLabel *m_pageCountLabel;
    QAction *m_firstAction, *m_previousAction, *m_nextAction, *m_lastAction;
};
