#include "core/store/dealseal.h"

#include <QCryptographicHash>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace dealseal {

QStringList dealFields() {
    return {QStringLiteral("id"),
            QStringLiteral("saved"),
            QStringLiteral("salesperson"),
            QStringLiteral("customer"),
            QStringLiteral("vehicle"),
            QStringLiteral("stocknumber"),
            QStringLiteral("interestrate"),
            QStringLiteral("financeterm"),
            QStringLiteral("financeterm2"),
            QStringLiteral("financeterm3"),
            QStringLiteral("amountfinanced"),
            QStringLiteral("chosenterm"),
            QStringLiteral("cashdeal"),
            QStringLiteral("cashinterest"),
            QStringLiteral("includetax"),
            QStringLiteral("taxrate"),
            QStringLiteral("discloseprices"),
            QStringLiteral("disclosetotals"),
            QStringLiteral("dealership"),
            QStringLiteral("disclaimer"),
            QStringLiteral("statement"),
            QStringLiteral("chosenpackage"),
            QStringLiteral("chosenname"),
            QStringLiteral("finalpayment"),
            QStringLiteral("package1"),
            QStringLiteral("package2"),
            QStringLiteral("package3"),
            QStringLiteral("package4"),
            QStringLiteral("signature")};
}

QStringList itemFields() {
    return {QStringLiteral("deal"),      QStringLiteral("package"),     QStringLiteral("slot"),
            QStringLiteral("productid"), QStringLiteral("name"),        QStringLiteral("cost"),
            QStringLiteral("msrp"),      QStringLiteral("description"), QStringLiteral("accepted")};
}

QStringList leaseFields() {
    return {QStringLiteral("leasedeal"), QStringLiteral("residualvalue"), QStringLiteral("residualvalue2"),
            QStringLiteral("residualvalue3"), QStringLiteral("moneyfactor")};
}

namespace {
QByteArray valueText(const QVariant &v) {
    if (!v.isValid() || v.isNull())
        return QByteArray();
    switch (v.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        return bytes.isEmpty() ? QByteArray() : QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        // SQLite keeps no NaN: it stores one as NULL.
        if (std::isnan(d))
            return QByteArray();
        // A whole number reads the same whether the file keeps it as an integer or a real.
        if (std::abs(d) < 9007199254740992.0 && d == std::trunc(d))
            return QByteArray::number(qint64(d));
        return QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return QByteArray::number(v.toLongLong());
    default:
        break;
    }
    QByteArray text = v.toString().toUtf8();
    // Looked for first: replacing searches even when there is nothing to replace, and few texts need it.
    if (std::any_of(text.cbegin(), text.cend(), [](char c) { return c == '\\' || c == '\r' || c == '\n'; }))
        text.replace('\\', "\\\\").replace('\r', "\\r").replace('\n', "\\n");
    return text;
}

void line(QByteArray &out, const QByteArray &name, const QVariant &value) {
    out += name;
    out += '=';
    out += valueText(value);
    out += '\n';
}

QList<QByteArray> prefixed(const char *prefix, const QStringList &names) {
    QList<QByteArray> out;
    for (const QString &n : names)
        out << QByteArray(prefix) + n.toUtf8();
    return out;
}
} // namespace

QByteArray canonicalText(const QVariantList &deal, const QList<QVariantList> &items, const QString &previous) {
    static const QList<QByteArray> dealNames = prefixed("deal.", dealFields());
    static const QList<QByteArray> itemNames = prefixed("item.", itemFields());
    QByteArray out("quorvel-seal 1\n");
    out.reserve(2048);
    line(out, "previous", previous);
    for (qsizetype i = 0; i < dealNames.size(); ++i)
        line(out, dealNames.at(i), deal.value(i));
    static const QList<QByteArray> leaseNames = prefixed("deal.", leaseFields());
    const qsizetype first = dealNames.size();
    bool lease = false;
    for (qsizetype i = 0; i < leaseNames.size(); ++i) {
        const QByteArray value = valueText(deal.value(first + i));
        lease = lease || (!value.isEmpty() && value != "0");
    }
    for (qsizetype i = 0; lease && i < leaseNames.size(); ++i)
        line(out, leaseNames.at(i), deal.value(first + i));
    for (const QVariantList &item : items)
        for (qsizetype i = 0; i < itemNames.size(); ++i)
            line(out, itemNames.at(i), item.value(i));
    return out;
}

QByteArrayList openText(QVariantList deal, QList<QVariantList> items) {
    deal[0] = QVariant();
    for (QVariantList &item : items)
        item[0] = QVariant();
    const QByteArray whole = canonicalText(deal, items, QString());
    QByteArrayList pieces;
    qsizetype start = whole.indexOf('\n', whole.indexOf('\n') + 1) + 1;
    // Lines end at LF and no value holds one, so a line stands alone.
    for (qsizetype from = start; from < whole.size();) {
        qsizetype end = whole.indexOf('\n', from);
        if (end < 0)
            end = whole.size();
        const QByteArrayView line(whole.constData() + from, end - from);
        if (line == "deal.id=" || line == "item.deal=") {
            pieces << whole.mid(start, end - start);
            start = end;
        }
        from = end + 1;
    }
    pieces << whole.mid(start);
    return pieces;
}

QString seal(const QVariantList &deal, const QList<QVariantList> &items, const QString &previous) {
    return QString::fromLatin1(
        QCryptographicHash::hash(canonicalText(deal, items, previous), QCryptographicHash::Sha256).toHex());
}

} // namespace dealseal
