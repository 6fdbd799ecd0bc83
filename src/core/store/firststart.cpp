#include "firststart.h"

#include "core/files/files.h"
#include "core/store/folders.h"
#include "core/store/schema.h"
#include "core/store/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUuid>

namespace firststart {

namespace {
struct SampleProduct {
    const char *name;
    double cost;
    double msrp;
    const char *description;
    const char *page;
    const char *installer;
    const char *phone;
};

const SampleProduct kProducts[] = {
    {"Paint Protection Film", 450, 1295, "Clear film on the hood, bumper and mirrors. Stops stone chips and road rash.",
     "paint-protection-film.html", "ClearShield Detailing", "555-0141"},
    {"Ceramic Coating", 180, 799, "Ceramic coat bonded to the paint: deep gloss and easy washing for 5 years.",
     "ceramic-coating.html", "ClearShield Detailing", "555-0141"},
    {"Window Tint", 120, 395, "Ceramic film on side and rear glass. Blocks 99% of UV rays, keeps it cool.",
     "window-tint.html", "Sun Control Tint", "555-0178"},
    {"Fabric & Leather Protection", 35, 299, "Stain guard for seats and carpets: spills, rips and burns for 5 years.",
     "interior-protection.html", "In-house", "555-0100"},
    {"Extended Service Contract", 900, 2495,
     "Engine, transmission, electrical and A/C repairs for 6 years or 100,000 miles.", "service-contract.html",
     "Dealer Warranty Services", "555-0190"},
    {"GAP Insurance", 250, 795, "Pays off what you still owe if the vehicle is stolen or totalled.",
     "gap-insurance.html", "Dealer Finance Office", "555-0100"},
    {"Tire & Wheel Protection", 150, 599,
     "Tires and wheels damaged by potholes, nails and glass, repaired or replaced.", "tire-wheel.html",
     "Dealer Warranty Services", "555-0190"},
    {"Key Replacement", 40, 249, "Lost or broken keys and remote fobs replaced, up to $800 per key.",
     "key-replacement.html", "Dealer Warranty Services", "555-0190"},
    {"Windshield Protection", 45, 199, "Chips and cracks repaired; the windshield replaced when needed.",
     "windshield.html", "Dealer Warranty Services", "555-0190"},
    {"Dent Repair", 60, 349, "Paintless repair of door dings and small dents.", "dent-repair.html", "In-house",
     "555-0100"},
    {"Remote Start", 150, 499, "Start the engine and warm or cool the cabin from 1,000 feet away.", "remote-start.html",
     "Car Audio Pros", "555-0122"},
    {"Anti-Theft Etch", 15, 199, "The VIN etched into every window, with a benefit if the vehicle is stolen.",
     "anti-theft-etch.html", "In-house", "555-0100"},
};

struct SampleTemplate {
    const char *name;
    const char *notes;
    int productIds[menu::Packages][menu::Slots];
};

// Product ids by position in kProducts (1-based).
const SampleTemplate kTemplates[] = {
    {"All New Vehicles",
     "Standard menu for new cars, trucks and SUVs",
     {{5, 6, 1, 2, 3, 4, 7, 8, 9, 10}, {5, 6, 2, 3, 4, 7, 8}, {5, 6, 4, 7}, {6, 12}}},
    {"Pre-Owned Vehicles", "Certified and used vehicles", {{5, 6, 2, 4, 7, 9, 10}, {5, 6, 4, 7}, {5, 6}, {6}}},
};

const char *kPackageNames[menu::Packages] = {"Platinum", "Gold", "Silver", "Bronze"};

// The files in the current layout, then the settings and samples stored as the program stores them.
bool fill(const QString &folder, bool withSamples, const QString &pages, QString *why) {
    const QDir dir(folder);
    for (schema::File file : {schema::File::Products, schema::File::Templates, schema::File::Settings}) {
        const QString path = dir.filePath(schema::fileName(file));
        QString reason;
        if (!schema::createFile(path, file, &reason)) {
            if (why)
                *why = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
            return false;
        }
    }
    Store store(folder);
    if (!store.open(why))
        return false;
    QString failure;
    store.setErrorHandler([&failure](const QString &what) {
        if (failure.isEmpty())
            failure = what;
    });

    Settings settings = store.settings().read();
    for (int p = 0; p < menu::Packages; ++p)
        settings.packageNames[p] = QString::fromLatin1(kPackageNames[p]);
    settings.disclosePrices = true;
    settings.discloseTotals = true;
    settings.interestRate = 6.9f;
    settings.financeTerm = 60;
    settings.dealershipName = QStringLiteral("Your Dealership Name");
    settings.salespersonName = QStringLiteral("Salesperson");
    settings.disclaimer = QStringLiteral("Payments are estimates for illustration only and subject to credit "
                                         "approval. Tax, title and license fees are extra.");
    bool written = store.settings().write(settings);

    if (withSamples) {
        // The products take ids 1, 2, ... in this order, which the templates' slots name.
        QVector<Product> products;
        for (const SampleProduct &p : kProducts)
            products.append({0, QString::fromUtf8(p.name), p.cost, p.msrp, QString::fromUtf8(p.description),
                             QDir(pages).filePath(QString::fromLatin1(p.page)), QString(),
                             QString::fromUtf8(p.installer), QString::fromLatin1(p.phone), QString()});
        written = written && store.addProducts(products).stored;
        for (const SampleTemplate &sample : kTemplates) {
            const SettingsRepository::Drawn drawn = store.settings().draw(Counter::Templates);
            PackageTemplate t;
            t.id = drawn.id.value_or(0);
            t.vehiclename = QString::fromUtf8(sample.name);
            t.notes = QString::fromUtf8(sample.notes);
            for (int p = 0; p < menu::Packages; ++p) {
                t.packageNames[p] = QString::fromLatin1(kPackageNames[p]);
                for (int slot = 0; slot < menu::Slots; ++slot)
                    t.productIds[p][slot] = sample.productIds[p][slot];
            }
            written = written && drawn.id && store.templates().add(t);
        }
    }
    if (!written && why)
        *why = failure.isEmpty()
                   ? QCoreApplication::translate("firststart", "The sample data could not be stored in %1.")
                         .arg(QDir::toNativeSeparators(folder))
                   : failure;
    return written;
}

QString htmlEscape(const QString &s) { return s.toHtmlEscaped(); }

QByteArray page(const SampleProduct &p) {
    const QString name = htmlEscape(QString::fromUtf8(p.name));
    return (QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") + name +
            QStringLiteral("</title>\n<style>body{font-family:Arial,sans-serif;max-width:40em;margin:2em auto;"
                           "line-height:1.5}h1{color:#1a3d6d}</style></head>\n<body><h1>") +
            name + QStringLiteral("</h1>\n<p>") + htmlEscape(QString::fromUtf8(p.description)) +
            QStringLiteral("</p>\n<p>Ask your salesperson for details.</p></body></html>\n"))
        .toUtf8();
}

// `shownAs`: the folder the pages are meant for, which a message names.
bool writePages(const QString &pages, QString *why, const QString &shownAs) {
    if (!QDir().mkpath(pages)) {
        if (why)
            *why = QCoreApplication::translate("firststart", "The folder %1 cannot be created.")
                       .arg(QDir::toNativeSeparators(pages));
        return false;
    }
    for (const SampleProduct &p : kProducts) {
        const QString path = QDir(pages).filePath(QString::fromLatin1(p.page));
        QString reason;
        if (!files::write(path, page(p), &reason)) {
            if (why)
                *why = QStringLiteral("%1: %2").arg(
                    QDir::toNativeSeparators(QDir(shownAs).filePath(QString::fromLatin1(p.page))), reason);
            return false;
        }
    }
    return true;
}

bool build(const QString &programFolder, bool withSamples, QString *why) {
    const QDir base(programFolder);
    const QString target = folders::data(programFolder);
    const QString pages = folders::webpages(programFolder);
    // Names of their own: another copy starting at the same moment builds beside them, never in them.
    const QString unique = QUuid::createUuid().toString(QUuid::Id128);
    const QString temp = base.filePath(QStringLiteral(".data.%1.new").arg(unique));
    const QString tempPages = base.filePath(QStringLiteral(".webpages.%1.new").arg(unique));
    auto removeTemporary = [&] {
        QDir(temp).removeRecursively();
        QDir(tempPages).removeRecursively();
    };
    if (!QDir().mkpath(temp)) {
        if (why)
            *why = QCoreApplication::translate("firststart", "The folder %1 cannot be created.")
                       .arg(QDir::toNativeSeparators(temp));
        return false;
    }
    // The pages are made before anything takes its place, so a disk that cannot hold them leaves nothing.
    const bool makePages = withSamples && !QDir(pages).exists();
    if (!fill(temp, withSamples, pages, why) || (makePages && !writePages(tempPages, why, pages))) {
        removeTemporary();
        return false;
    }
    // Pages another copy put in place first are theirs, and as good as these.
    if (makePages && !QDir().rename(tempPages, pages))
        QDir(tempPages).removeRecursively();
    if (!QDir().rename(temp, target)) {
        removeTemporary();
        // Another copy made it first: that one is used, never replaced.
        if (QDir(target).exists())
            return true;
        if (why)
            *why = QCoreApplication::translate("firststart", "The folder %1 cannot be created.")
                       .arg(QDir::toNativeSeparators(target));
        return false;
    }
    return true;
}
} // namespace

bool createDataFolder(const QString &programFolder, QString *why) { return build(programFolder, true, why); }
bool createEmptyDataFolder(const QString &programFolder, QString *why) { return build(programFolder, false, why); }
bool writeSamplePages(const QString &folder, QString *why) { return writePages(folder, why, folder); }

} // namespace firststart
