#pragma once

#include "app/control_set.h"
#include "app/griffwandler_form.h"

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace griffwandler::test {

// Everything a handler may change, for every control: visibility, picture and
// caption. Two equal snapshots mean the window shows the same chart.
struct Snapshot {
    QHash<QString, bool> visible;
    QHash<QString, qint64> picture;
    QHash<QString, QString> caption;
    bool operator==(const Snapshot &) const = default;
};

Snapshot snapshot(const app::GriffwandlerForm &form);

// The cache key of the picture a control shows; equal keys mean the same image.
qint64 pictureKey(const app::GriffwandlerForm &form, Steuerelement control);

// The controls of the window in stacking order, front to back, by object name.
QStringList stackingOrder(const app::GriffwandlerForm &form);

} // namespace griffwandler::test
