#pragma once

#include "core/IconesElements.h"

#include <QHash>
#include <QIcon>
#include <QStyledItemDelegate>

#include <functional>

// Draws each line of a list with its item's icon, looked for only when the line is drawn
// (the lines a list shows, when it shows them) and kept until the list's lines change.
// The view must have uniform line heights, or it would measure, and so load, every line.
class DelegueIcones : public QStyledItemDelegate {
public:
    // The picture of the line of that row.
    using Source = std::function<SourceIcone(int ligne)>;
    DelegueIcones(QAbstractItemModel* modele, Source source, QObject* parent);

    // The icon of a row, looked for once.
    QIcon icone(int ligne) const;
    // Looks those pictures up and draws them at that size now, in both looks a line gives
    // them, so that the first lines to show them need not (a theme's missing names and
    // a picture file's decoding cost milliseconds).
    void precharger(const QList<SourceIcone>& sources, const QSize& taille, qreal ratio) const;
    // How many pictures were looked for since the lines last changed.
    int recherches() const { return static_cast<int>(parLigne_.size()); }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    void oublier();
    const QIcon& chargee(const SourceIcone& source) const;

    Source source_;
    mutable QHash<int, QIcon> parLigne_;
    mutable QHash<QString, QIcon> parCle_;
};
