#include "ui/DelegueIcones.h"

DelegueIcones::DelegueIcones(QAbstractItemModel* modele, Source source, QObject* parent)
    : QStyledItemDelegate(parent)
    , source_(std::move(source)) {
    connect(modele, &QAbstractItemModel::modelReset, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::layoutChanged, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::rowsInserted, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::rowsRemoved, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::dataChanged, this, &DelegueIcones::oublier);
}

void DelegueIcones::oublier() {
    parLigne_.clear();
}

QIcon DelegueIcones::icone(int ligne) const {
    const auto trouvee = parLigne_.constFind(ligne);
    if (trouvee != parLigne_.cend()) return *trouvee;
    const QIcon& icone = chargee(source_(ligne));
    parLigne_.insert(ligne, icone);
    return icone;
}

const QIcon& DelegueIcones::chargee(const SourceIcone& source) const {
    const QString cle = source.cle();
    auto connue = parCle_.constFind(cle);
    if (connue == parCle_.cend()) connue = parCle_.insert(cle, Charger_Icone(source));
    return *connue;
}

void DelegueIcones::precharger(const QList<SourceIcone>& sources, const QSize& taille,
                               qreal ratio) const {
    for (const SourceIcone& source : sources) {
        const QIcon& icone = chargee(source);
        if (icone.isNull()) continue;
        // The drawn pictures stay in the icons' own cache, which the lines draw from.
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Selected})
            icone.pixmap(taille, ratio, mode);
    }
}

void DelegueIcones::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Every line keeps the icon's room, drawn or not, so that the names line up.
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->icon = icone(index.row());
    const int cote = option->fontMetrics.height();
    option->decorationSize = QSize(cote, cote);
}
