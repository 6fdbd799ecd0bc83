#pragma once
// A package template: four packages of ten slots, each slot the id of a catalogue product (0 for none).

#include <QString>
#include <array>

struct PackageTemplate {
    static constexpr int Packages = 4;
    static constexpr int Slots = 10;

    double id = 0; // not a key: a template stored after "Clear Form" holds 0
    QString vehiclename;
    QString notes;
    std::array<QString, Packages> packageNames; // `package1` .. `package4`
    // `menuP_S`: the product id in slot S of package P, as stored.
    std::array<std::array<double, Slots>, Packages> productIds{};

    bool operator==(const PackageTemplate &o) const {
        return id == o.id && vehiclename == o.vehiclename && notes == o.notes && packageNames == o.packageNames &&
               productIds == o.productIds;
    }
};
