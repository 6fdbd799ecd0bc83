#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace translation {

void install(QCoreApplication &app) {
    const QLocale locale = QLocale::system();
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    // The build embeds every translations/quorvel_*.qm under :/i18n.
    auto *own = new QTranslator(&app);
    if (own->load(locale, QStringLiteral("quorvel"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    else
        delete own;
}

} // namespace translation
