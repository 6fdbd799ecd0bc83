#include "printtestsupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace printtest {

void answerNextBox(bool accept) {
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [accept, attempt]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, *attempt);
            return;
        }
        QAbstractButton *button = box->button(accept ? QMessageBox::Ok : QMessageBox::Cancel);
        if (button)
            button->click();
        else
            box->reject();
    };
    QTimer::singleShot(0, *attempt);
}

bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

namespace {
constexpr double mmPerPoint = 25.4 / 72.0;

QString run(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString unescape(QString s) {
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}
} // namespace

PdfText readPdf(const QString &path) {
    PdfText out;
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression token(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                       "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    auto it = token.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            out.pages.append(QSizeF(m.captured(1).toDouble() * mmPerPoint, m.captured(2).toDouble() * mmPerPoint));
            continue;
        }
        PdfWord w;
        w.page = int(out.pages.size());
        w.left = m.captured(3).toDouble() * mmPerPoint;
        w.top = m.captured(4).toDouble() * mmPerPoint;
        w.right = m.captured(5).toDouble() * mmPerPoint;
        w.bottom = m.captured(6).toDouble() * mmPerPoint;
        w.text = unescape(m.captured(7));
        out.words.append(w);
    }
    return out;
}

QList<PdfWord> PdfText::onPage(int page) const {
    QList<PdfWord> out;
    for (const PdfWord &w : words)
        if (w.page == page)
            out.append(w);
    return out;
}

QList<PdfWord> PdfText::lineStartingWith(const QString &first, int page) const {
    const QList<PdfWord> all = onPage(page);
    for (const PdfWord &start : all) {
        if (start.text != first)
            continue;
        // The reader's order is by blocks, not lines: gather the words that share the line, left to right.
        QList<PdfWord> line;
        for (const PdfWord &w : all)
            if (std::abs(w.top - start.top) < 0.5 && w.left >= start.left - 0.01)
                line.append(w);
        std::sort(line.begin(), line.end(), [](const PdfWord &a, const PdfWord &b) { return a.left < b.left; });
        return line;
    }
    return {};
}

QStringList pdfFonts(const QString &path, int page) {
    const QString text = run(QStringLiteral("pdffonts"), {QStringLiteral("-f"), QString::number(page),
                                                          QStringLiteral("-l"), QString::number(page), path});
    QStringList names;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 2; i < lines.size(); ++i) {
        const QString name = lines.at(i).section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

} // namespace printtest

namespace printtest {

namespace {
QString productText(const QList<QPair<QString, QString>> &products) {
    QString text;
    for (const auto &p : products)
        text += p.first + QStringLiteral("\r\n") + p.second + QStringLiteral("\r\n\r\n");
    return text;
}
} // namespace

DealPage sampleDeal() {
    DealPage d;
    d.dealershipnametext = QStringLiteral("Riverside Motors of Springfield");
    d.salespersonnametext = QStringLiteral("Dana Whitfield");
    d.customernametext = QStringLiteral("Jordan A. Castellano");
    d.stocknumbertext = QStringLiteral("R24-1187");
    d.vehicletext = QStringLiteral("2024 Meridian Touring AWD");
    d.menuframe = {QStringLiteral("Platinum"), QStringLiteral("Gold"), QStringLiteral("Silver"),
                   QStringLiteral("Basic")};
    const QPair<QString, QString> warranty{
        QStringLiteral("Extended Service Plan $1895.00"),
        QStringLiteral("Covers engine, transmission, drive axles and electrical parts for 7 years or 100,000 miles, "
                       "with roadside assistance and rental car allowance.")};
    const QPair<QString, QString> gap{QStringLiteral("GAP Protection $695.00"),
                                      QStringLiteral("Pays the difference between the insurance settlement and "
                                                     "the loan balance if the vehicle is stolen or totalled.")};
    const QPair<QString, QString> paint{QStringLiteral("Paint & Fabric Sealant $499.00"),
                                        QStringLiteral("Protects the finish against fading, bird droppings and "
                                                       "tree sap; stain-resistant seats for five years.")};
    const QPair<QString, QString> tires{QStringLiteral("Tire & Wheel Protection $349.00"),
                                        QStringLiteral("Repairs or replaces tires and wheels damaged by road "
                                                       "hazards: potholes, nails, glass and debris.")};
    const QPair<QString, QString> etch{QStringLiteral("Anti-Theft Etch $199.00"),
                                       QStringLiteral("The vehicle identification number etched on every window.")};
    d.producttext = {productText({warranty, gap, paint, tires, etch}), productText({warranty, gap, paint}),
                     productText({gap, tires}), productText({etch})};
    d.pricepayment = {QStringLiteral("$ 92.41 / Month"), QStringLiteral("$ 71.18 / Month"),
                      QStringLiteral("$ 24.86 / Month"), QStringLiteral("$ 4.55 / Month")};
    d.disclaimertext = QStringLiteral("Payments are estimates based on 72 months at 6.9% APR with approved credit. "
                                      "Tax, title and license fees are extra. Products are optional and not "
                                      "required to obtain financing.");
    return d;
}

QList<QStringList> sampleProductGrid(int products) {
    QList<QStringList> grid;
    grid.append({QStringLiteral("id"), QStringLiteral("Name"), QStringLiteral("Cost"), QStringLiteral("MSRP"),
                 QStringLiteral("Profit"), QStringLiteral("Installer"), QStringLiteral("Phone #"),
                 QStringLiteral("Notes")});
    for (int i = 1; i <= products; ++i)
        grid.append({QString::number(i), QStringLiteral("Product%1").arg(i), QStringLiteral("$%1.50").arg(100 + i),
                     QStringLiteral("$%1.00").arg(250 + i), QStringLiteral("$%1.50").arg(149),
                     QStringLiteral("Installer%1").arg(i % 7),
                     QStringLiteral("555-01%1").arg(i % 100, 2, 10, QLatin1Char('0')),
                     QStringLiteral("Note%1").arg(i)});
    return grid;
}

} // namespace printtest
