#include "command_button.h"

#include "accessibility.h"
#include "classic_palette.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>

namespace griffwandler::controls {

namespace {

bool isPlainEnter(const QKeyEvent *event)
{
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

} // namespace

CommandButton::CommandButton(QWidget *parent) : QAbstractButton(parent), m_faceColor(classic::Face)
{
    installAccessibleFactory();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CommandButton::~CommandButton() = default;

void CommandButton::setFaceColor(const QColor &color)
{
    if (m_faceColor == color)
        return;
    m_faceColor = color;
    update();
}

QColor CommandButton::faceColor() const
{
    return m_faceColor;
}

void CommandButton::setPicture(const QPixmap &picture, const QString &description,
                               const QString &detail)
{
    m_picture.set(this, picture, description, detail);
}

QPixmap CommandButton::picture() const
{
    return m_picture.pixmap();
}

QString CommandButton::pictureDescription() const
{
    return m_picture.description();
}

QString CommandButton::pictureDetail() const
{
    return m_picture.detail();
}

void CommandButton::setDefaultRole(bool on)
{
    if (on == isDefaultRole())
        return;
    if (!on) {
        delete m_returnShortcut;
        delete m_enterShortcut;
        m_returnShortcut = m_enterShortcut = nullptr;
        return;
    }
    // Window-wide shortcuts; a focused CommandButton claims Enter for itself first
    // (see event()), as the focused button of a dialog does.
    m_returnShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_enterShortcut = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    for (QShortcut *shortcut : {m_returnShortcut, m_enterShortcut}) {
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, &CommandButton::click);
    }
}

bool CommandButton::isDefaultRole() const
{
    return m_returnShortcut != nullptr;
}

void CommandButton::addClickKey(const QKeySequence &key)
{
    auto *shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    connect(shortcut, &QShortcut::activated, this, [this] { animateClick(); });
    m_clickKeys.append(key);
}

QList<QKeySequence> CommandButton::clickKeys() const
{
    return m_clickKeys;
}

void CommandButton::setChoice(Choice choice)
{
    const bool wasChosen = m_choice == Choice::Chosen;
    m_choice = choice;
    if (wasChosen != (choice == Choice::Chosen) && QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

CommandButton::Choice CommandButton::choice() const
{
    return m_choice;
}

QRect CommandButton::faceRect() const
{
    // Unfocused: the two bevel lines. Focused: a black frame outside the bevel.
    // Pressed: the black frame and one flat dark-grey line.
    const int inset = (isDown() || !hasFocus()) ? 2 : 3;
    return rect().adjusted(inset, inset, -inset, -inset);
}

QSize CommandButton::sizeHint() const
{
    QSize size = m_picture.size();
    if (!text().isEmpty()) {
        const QSize textSize = fontMetrics().size(Qt::TextShowMnemonic, text());
        size = size.expandedTo(textSize + QSize(16, 8));
    }
    return size + QSize(6, 6);
}

void CommandButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect face = faceRect();
    painter.fillRect(face, m_faceColor);
    paintBevel(painter);

    // Pressed content moves one pixel down and to the right, as if pushed in.
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    painter.save();
    painter.setClipRect(face);
    if (!m_picture.pixmap().isNull()) {
        // Whole-pixel centring; an odd remainder (margin or cut) falls right and below.
        const QSize size = m_picture.size();
        const QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
        painter.drawPixmap(topLeft + shift, m_picture.pixmap());
    }
    if (!text().isEmpty()) {
        painter.setPen(QColor(classic::Text));
        painter.setFont(font());
        painter.drawText(rect().translated(shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
    painter.restore();

    if (hasFocus())
        paintFocusRect(painter);
}

void CommandButton::paintBevel(QPainter &painter) const
{
    QRect r = rect();
    if (isDown() || hasFocus()) {
        frameLine(painter, r, classic::DarkShadow, classic::DarkShadow);
        r.adjust(1, 1, -1, -1);
    }
    if (isDown()) {
        frameLine(painter, r, classic::Shadow, classic::Shadow);
        return;
    }
    frameLine(painter, r, classic::Highlight, classic::DarkShadow);
    frameLine(painter, r.adjusted(1, 1, -1, -1), classic::Light, classic::Shadow);
}

void CommandButton::paintFocusRect(QPainter &painter) const
{
    // A dotted rectangle of every other pixel, inverted against whatever lies below so
    // that it shows on any face colour and picture.
    const QRect r = rect().adjusted(4, 4, -4, -4);
    if (r.width() < 2 || r.height() < 2)
        return;
    painter.save();
    painter.setClipping(false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor ink(255, 255, 255);
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            painter.fillRect(QRect(x, y, 1, 1), ink);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
    painter.restore();
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if (isPlainEnter(event)) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

bool CommandButton::event(QEvent *event)
{
    // Keep Enter from the window's default-button shortcut while this button has focus.
    if (event->type() == QEvent::ShortcutOverride &&
        isPlainEnter(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QAbstractButton::event(event);
}

} // namespace griffwandler::controls
