#include "qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

bool installQtPolish(QCoreApplication& app) {
    // Owned by the application, which must outlive every text it translates.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_pl"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
