#include "ui/common/geometry.h"

#include "ui/common/windowfit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

namespace ui {

namespace {
double scale() {
    QScreen *s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInch() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / 96.0;
}

// The whole text, from its end back to its start, so typing replaces all of it. A multi-line box too:
// selecting only the line under the cursor let typing replace a fragment of a wrapped text.
void selectWhole(QWidget *box) {
    auto whole = [](QTextCursor c) {
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::Start, QTextCursor::KeepAnchor);
        return c;
    };
    if (auto *line = qobject_cast<QLineEdit *>(box)) {
        line->end(false);
        line->home(true);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(box)) {
        plain->setTextCursor(whole(plain->textCursor()));
    } else if (auto *rich = qobject_cast<QTextEdit *>(box)) {
        rich->setTextCursor(whole(rich->textCursor()));
    }
}

class SelectOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn) {
            QPointer<QWidget> box = qobject_cast<QWidget *>(watched);
            // After the toolkit has placed its own cursor, as a keystroke would arrive.
            QTimer::singleShot(0, box, [box] {
                if (box && box->hasFocus())
                    selectWhole(box);
            });
        }
        return false;
    }
};
} // namespace

int tw(double twips) { return int(std::lround(twips / 15.0 * scale())); }

QRect twRect(double left, double top, double width, double height) {
    return QRect(tw(left), tw(top), tw(width), tw(height));
}

void place(QWidget *w, double left, double top, double width, double height) {
    w->setGeometry(twRect(left, top, width, height));
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, double left, double top, double width,
                    double height) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    place(b, left, top, width, height);
    return b;
}

void setClientSize(QWidget *window, double width, double height) {
    WindowFit::install(window, QSize(tw(width), tw(height)));
}

QLineEdit *searchBox(QWidget *window, const QString &searches) {
    auto *caption = new QLabel(QCoreApplication::translate("ui", "Search:"), window);
    caption->setObjectName(QStringLiteral("searchcaption"));
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(caption, 120, 120, 855, 285);
    auto *box = new QLineEdit(window);
    box->setObjectName(QStringLiteral("searchtext"));
    box->setPlaceholderText(searches);
    box->setClearButtonEnabled(true);
    place(box, 1080, 120, 4095, 285);
    return box;
}

void centre(QWidget *window) {
    QScreen *s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect area = s->availableGeometry();
    QSize size = window->frameGeometry().size().isEmpty() ? window->size() : window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void selectAllOnFocus(QWidget *box) { box->installEventFilter(new SelectOnFocus(box)); }

void setUpListGrid(QTableView *grid) {
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setSortingEnabled(false);
    grid->setCornerButtonEnabled(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(std::max(tw(240), grid->fontMetrics().height() + 4));
    QHeaderView *head = grid->horizontalHeader();
    head->setHighlightSections(false);
    head->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    head->setSectionResizeMode(QHeaderView::Interactive);
}

QString literalCaption(const QString &text) {
    QString out = text;
    return out.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace ui
