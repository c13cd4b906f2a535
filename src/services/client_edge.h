#pragma once

#include <QWidget>

namespace griffwandler::services {

// The sunken client edge drawn by the program where the window system has no
// native one: a 2 px classic sunken border over the rim of the client area of
// its window, above every other child, letting clicks through.
class ClientEdge final : public QWidget {
    Q_OBJECT

public:
    // Puts the edge on `window`, shown from the window's first show; a second
    // call changes nothing more.
    static void showOn(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    explicit ClientEdge(QWidget &window);
};

} // namespace griffwandler::services
