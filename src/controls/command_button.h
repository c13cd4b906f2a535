#pragma once

#include "shown_picture.h"

#include <QAbstractButton>
#include <QColor>
#include <QKeySequence>
#include <QList>
#include <QPixmap>
#include <QString>

class QShortcut;

namespace griffwandler::controls {

// A push button in the classic graphical style: a raised 3-D bevel around a face of
// its own colour, a picture centred on the face and clipped to it, and an optional
// caption whose '&' letter is the access key. Everything is painted here, so the
// button looks the same under every widget style.
class CommandButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget *parent = nullptr);
    ~CommandButton() override;

    void setFaceColor(const QColor &color);
    QColor faceColor() const;

    // The description names the button for screen readers while it has no caption;
    // the detail is what they may say after the name.
    void setPicture(const QPixmap &picture, const QString &description = {},
                    const QString &detail = {});
    QPixmap picture() const;
    QString pictureDescription() const;
    QString pictureDetail() const;

    // Enter anywhere in the window clicks the default button, unless the focus is on
    // another CommandButton (Enter then clicks that one). Give the role to at most
    // one button per window.
    void setDefaultRole(bool on);
    bool isDefaultRole() const;

    // A key that clicks the button from anywhere in its window, shown pressed for a
    // moment as with the access key. Screen readers report the caption's access key,
    // or else the first such key, as the button's key binding.
    void addClickKey(const QKeySequence &key);
    QList<QKeySequence> clickKeys() const;

    // For screen readers only: the button is one of a set of choices of which one at
    // a time is the chosen one, reported as a radio button, checked or not. Its look
    // and its clicks stay as they are.
    enum class Choice { None, NotChosen, Chosen };
    void setChoice(Choice choice);
    Choice choice() const;

    // The face rectangle inside the bevel, in widget coordinates, for the current state.
    QRect faceRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void paintBevel(QPainter &painter) const;
    void paintFocusRect(QPainter &painter) const;

    QColor m_faceColor;
    ShownPicture m_picture;
    QShortcut *m_returnShortcut = nullptr;
    QShortcut *m_enterShortcut = nullptr;
    QList<QKeySequence> m_clickKeys;
    Choice m_choice = Choice::None;
};

} // namespace griffwandler::controls
