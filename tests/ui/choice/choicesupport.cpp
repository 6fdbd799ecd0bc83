#include "choicesupport.h"

#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/deal/dealpresentation.h"

#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace testsupport;

namespace choicetest {

namespace {
QString run(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

DealPresentation *present(const Deal &deal) {
    DealPresentation *menu = app().window<DealPresentation>();
    Application::bringUp(menu);
    menu->present(deal);
    return menu;
}

QVariantList dealRows(const QString &sql) { return column(QStringLiteral("deals.mdb"), sql); }

bool pick(QWidget *window, const QString &option) {
    auto *box = qobject_cast<QAbstractButton *>(control(window, option));
    if (!box || !box->isEnabled())
        return false;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    return box->isChecked();
}

bool haveCsvReader() { return !QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty(); }

QList<QStringList> readCsv(const QString &path) {
    const QString script = QStringLiteral("import csv, json, sys\n"
                                          "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                          "    print(json.dumps(list(csv.reader(f, strict=True))))\n");
    QList<QStringList> rows;
    for (const QJsonValue &row :
         QJsonDocument::fromJson(run(QStringLiteral("python3"), {"-c", script, path}).toUtf8()).array()) {
        QStringList cells;
        for (const QJsonValue &cell : row.toArray())
            cells << cell.toString();
        rows << cells;
    }
    return rows;
}

bool havePdfReader() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

Pdf::Pdf(const QString &path) {
    constexpr double mm = 25.4 / 72.0;
    static const QRegularExpression token(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                       "xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    auto it = token.globalMatch(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, "-"}));
    while (it.hasNext()) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty())
            pages.append(QSizeF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm));
        else
            words.append({int(pages.size()), m.captured(6).replace(QStringLiteral("&amp;"), QStringLiteral("&")),
                          m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm, m.captured(5).toDouble() * mm});
    }
}

const Word *Pdf::find(const QString &text) const {
    for (const Word &w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

QStringList Pdf::line(const QString &first) const {
    const Word *start = find(first);
    if (!start)
        return {};
    QList<Word> on;
    for (const Word &w : words)
        if (w.page == start->page && std::abs(w.top - start->top) < 0.8 && w.left >= start->left - 0.01)
            on << w;
    std::sort(on.begin(), on.end(), [](const Word &a, const Word &b) { return a.left < b.left; });
    QStringList out;
    for (const Word &w : on)
        out << w.text;
    return out;
}

} // namespace choicetest
