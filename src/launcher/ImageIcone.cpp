#include "launcher/ImageIcone.h"

#include <QMouseEvent>

ImageIcone::ImageIcone(QWidget* parent)
    : QLabel(parent) {
    setScaledContents(true);
}

void ImageIcone::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() == Qt::LeftButton) gauchePresse_ = true;
    evenement->accept();
}

void ImageIcone::mouseReleaseEvent(QMouseEvent* evenement) {
    const bool dessus = rect().contains(evenement->position().toPoint());
    if (evenement->button() == Qt::LeftButton) {
        const bool clique = gauchePresse_ && dessus;
        gauchePresse_ = false;
        if (clique) Q_EMIT clic();
    } else if (evenement->button() == Qt::RightButton && dessus) {
        Q_EMIT clicDroitRelache(evenement->globalPosition().toPoint());
    }
    evenement->accept();
}

void ImageIcone::mouseDoubleClickEvent(QMouseEvent* evenement) {
    // The second click of a double click is no click of its own: a double click
    // toggles the window once.
    evenement->accept();
}
