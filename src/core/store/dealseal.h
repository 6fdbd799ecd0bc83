#pragma once
// The seal a deal is stored with: a SHA-256 over the deal as stored and over the seal of the sealed deal
// before it, so a deal changed, removed or slipped in afterwards no longer matches its seal, and every
// sealed deal after it no longer matches the chain.

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace dealseal {

// The fields of `deals` and of `dealitems` the seal covers, in the order they are written. Fixed: a field
// added to the deal file later leaves the seals already stored as they are.
QStringList dealFields();
QStringList itemFields();
// A lease's fields. Every deal stored before leases holds them at 0, so they are sealed only when one of
// them holds something else: every earlier seal still verifies, and a lease's figures are sealed.
QStringList leaseFields();

// The text a seal is the hash of (UTF-8), one "name=value" line (LF) per field:
//   quorvel-seal 1
//   previous=<the previous sealed deal's seal; empty for the first>
//   deal.<field>=<value>          every field of dealFields(), in that order
//   deal.<field>=<value>          every field of leaseFields(), in that order, when any of them is not 0
//   item.<field>=<value>          every field of itemFields() for each item, in package and slot order
// A value is written as stored: a text as it is, with "\" written "\\", CR "\r" and LF "\n"; a number in
// the shortest form that reads back as the same number ("25000", "6.9", "0.07000000029802322"); an
// absent value (NULL, or a number that is not a number) as nothing; binary data (the signature) as the
// hex SHA-256 of its bytes. `deal` holds the values of dealFields() in that order (then those of leaseFields(), if
// any), each of `items` those of itemFields(); the items are taken in the order given.
QByteArray canonicalText(const QVariantList &deal, const QList<QVariantList> &items, const QString &previous);
// The canonical text as a store that draws the deal's number as it writes it completes it: without the first two
// lines, and in pieces the number goes between, at the end of each line "deal.id=" and "item.deal=".
QByteArrayList openText(QVariantList deal, QList<QVariantList> items);
// The seal: the lower-case hex SHA-256 of the canonical text.
QString seal(const QVariantList &deal, const QList<QVariantList> &items, const QString &previous);

} // namespace dealseal
