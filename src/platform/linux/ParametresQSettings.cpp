#include "platform/linux/ParametresQSettings.h"

#include <QStringList>

namespace {
const QString Section = QStringLiteral("parametres/");
}

ParametresQSettings::ParametresQSettings()
    : reglages_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Dalvire"),
                QStringLiteral("Dalvire")) {}

QString ParametresQSettings::lire(const QString& cle) const {
    const QVariant valeur = reglages_.value(Section + cle);
    // A hand-edited value holding a comma comes back from the INI format as a list.
    if (valeur.typeId() == QMetaType::QStringList)
        return valeur.toStringList().join(QLatin1Char(','));
    return valeur.toString();
}

void ParametresQSettings::ecrire(const QString& cle, const QString& valeur) {
    reglages_.setValue(Section + cle, valeur);
    // Written through at once: a setting must survive the program being killed.
    reglages_.sync();
}
