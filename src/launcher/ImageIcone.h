#pragma once

#include <QLabel>

// The category's icon: a picture stretched to the control. A left click (press and
// release on it) is its click; releasing the right button over it asks for the main menu.
class ImageIcone : public QLabel {
    Q_OBJECT
public:
    explicit ImageIcone(QWidget* parent = nullptr);

Q_SIGNALS:
    void clic();
    void clicDroitRelache(const QPoint& positionGlobale);

protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;

private:
    bool gauchePresse_ = false;
};
