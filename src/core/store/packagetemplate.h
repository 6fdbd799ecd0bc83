#pragma once
// A package template: four packages of ten slots, each slot the id of a catalogue product (0 for none).

#include "core/deal/menushape.h"
#include <QString>
#include <array>

struct PackageTemplate {
    double id = 0; // not a key: a template stored after "Clear Form" holds 0
    QString vehiclename;
    QString notes;
    std::array<QString, menu::Packages> packageNames; // `package1` .. `package4`
    // `menuP_S`: the product id in slot S of package P, as stored.
    std::array<std::array<double, menu::Slots>, menu::Packages> productIds{};

    bool operator==(const PackageTemplate &o) const {
        return id == o.id && vehiclename == o.vehiclename && notes == o.notes && packageNames == o.packageNames &&
               productIds == o.productIds;
    }
};
