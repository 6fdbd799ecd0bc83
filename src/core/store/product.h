#pragma once
// A product of the catalogue as the program reads and writes it.

#include <QString>

struct Product {
    // Not a key: any number of records may come to hold 0 (a product stored after "Clear Form").
    double id = 0;
    QString name; // `aftermarketname`
    double cost = 0;
    double msrp = 0;
    // Empty means none: storing a product with an empty description leaves the stored one as it was.
    QString description;
    QString htmlpath;
    QString picturepath;
    QString installer;
    QString phone;
    QString notes;

    bool operator==(const Product &o) const {
        return id == o.id && name == o.name && cost == o.cost && msrp == o.msrp && description == o.description &&
               htmlpath == o.htmlpath && picturepath == o.picturepath && installer == o.installer && phone == o.phone &&
               notes == o.notes;
    }
    bool operator!=(const Product &o) const { return !(*this == o); }
};
