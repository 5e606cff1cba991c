#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QEvent;

// Qt's X11 tray icon pops its context menu up on the press of the right button, and the
// main menu must open on its release: the release is caught on the icon's own widget,
// which Qt keeps to itself, through an application-wide event filter.
class FiltreIconeNotification final : public QObject {
public:
    using Action = std::function<void(const QPoint& positionGlobale)>;

    FiltreIconeNotification(Action surRelachementDroit, QObject* parent = nullptr);

    // True for the widget in which Qt embeds the icon into the notification area.
    static bool Est_Icone_Notification(const QObject* objet);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    Action action_;
};
