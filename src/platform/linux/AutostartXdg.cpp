#include "platform/linux/AutostartXdg.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

QString AutostartXdg::dossierAutostart() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // XDG base directory rules: a relative value is to be ignored.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

QString AutostartXdg::cheminEntree(const QString& nomValeur) {
    return dossierAutostart() + QLatin1Char('/') + nomValeur.toLower() + QStringLiteral(".desktop");
}

QString AutostartXdg::valeurExec(const QString& cheminExecutable) {
    // Inside a quoted argument: backslash, double quote, backquote and dollar take a
    // backslash; a percent sign is doubled so that it is not read as a field code.
    QString argument;
    for (const QChar c : cheminExecutable) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            argument += QLatin1Char('\\');
        if (c == QLatin1Char('%')) argument += QLatin1Char('%');
        argument += c;
    }
    const QString quote = QLatin1Char('"') + argument + QLatin1Char('"');
    // Then the general string escapes of the file format apply on top of the quoting.
    QString valeur;
    for (const QChar c : quote) {
        if (c == QLatin1Char('\\'))
            valeur += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            valeur += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            valeur += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            valeur += QStringLiteral("\\t");
        else
            valeur += c;
    }
    return valeur;
}

QString AutostartXdg::contenuEntree(const QString& nomValeur, const QString& cheminExecutable) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Lanceur de programmes\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(nomValeur, valeurExec(cheminExecutable));
}

void AutostartXdg::ecrire(const QString& nomValeur, const QString& cheminExecutable) {
    QDir().mkpath(dossierAutostart());
    QSaveFile fichier(cheminEntree(nomValeur));
    if (!fichier.open(QIODevice::WriteOnly)) return;
    fichier.write(contenuEntree(nomValeur, cheminExecutable).toUtf8());
    fichier.commit();
}

void AutostartXdg::supprimer(const QString& nomValeur) {
    QFile::remove(cheminEntree(nomValeur));
}
