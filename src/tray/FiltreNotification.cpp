#include "tray/FiltreNotification.h"

#include <QMouseEvent>

namespace {
// The class of Qt's XEmbed tray widget (qsystemtrayicon_x11).
constexpr const char* ClasseIconeXEmbed = "QSystemTrayIconSys";
} // namespace

FiltreIconeNotification::FiltreIconeNotification(Action surRelachementDroit, QObject* parent)
    : QObject(parent)
    , action_(std::move(surRelachementDroit)) {}

bool FiltreIconeNotification::Est_Icone_Notification(const QObject* objet) {
    return objet && objet->isWidgetType() &&
           qstrcmp(objet->metaObject()->className(), ClasseIconeXEmbed) == 0;
}

bool FiltreIconeNotification::eventFilter(QObject* objet, QEvent* evenement) {
    // Every event of the program passes here: the type is the cheap test, done first.
    if (evenement->type() != QEvent::MouseButtonRelease) return false;
    if (!Est_Icone_Notification(objet)) return false;
    const auto* souris = static_cast<const QMouseEvent*>(evenement);
    if (souris->button() == Qt::RightButton && action_) action_(souris->globalPosition().toPoint());
    // Qt does nothing of its own with the release; let it through all the same.
    return false;
}
