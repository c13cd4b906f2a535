#include "griffwandler_form.h"

#include "bilder.h"
#include "command_button.h"
#include "dicker_win_rand.h"
#include "failure_exit.h"
#include "image_control.h"
#include "kapo_stellung.h"
#include "mdl_browser_aufrufen.h"
#include "plattform.h"
#include "screen_pointer.h"
#include "web_adressen.h"
#include "zeiger_stellung.h"
#include "zentriere_form.h"

#include <QApplication>
#include <QPainter>
#include <QShortcut>

namespace griffwandler::app {

GriffwandlerForm::GriffwandlerForm(QWidget *parent)
    : QWidget(parent, services::plattform().dialogRahmen())
{
    setObjectName(QStringLiteral("GriffwandlerForm"));
    setWindowTitle(QString());
    setWindowIcon(assets::programIcon());
    // Where a pointer cannot show a picture, the hand shape of the platform's own.
    setCursor(services::plattform().bildZeiger() ? assets::windowPointer()
                                                 : QCursor(Qt::PointingHandCursor));
    setFixedSize(toPixels(ClientArea).size());
    setAccessibleName(QStringLiteral("Griffwandler"));

    m_controls = std::make_unique<ControlSet>(*this);
    bindHandlers();
    // "&Webseite" is the window's default button: Enter clicks it unless another
    // button holds the focus, which takes Enter itself.
    m_controls->button({Name::Command3})->setDefaultRole(true);
    m_controls->widget({Name::Command1})->setFocus();
}

GriffwandlerForm::~GriffwandlerForm() = default;

void GriffwandlerForm::bindHandlers()
{
    // Every handler runs guarded: an exception must not unwind into the event loop.
    using controls::CommandButton;
    for (int k = 0; k < BundAnzahl; ++k)
        connect(m_controls->button({Name::BundTaste, k}), &CommandButton::clicked, this,
                guarded([this, k] { BundTaste_Click(static_cast<qint16>(k)); }));
    for (int i = 0; i < SpaltenAnzahl; ++i) {
        connect(m_controls->button({Name::Noten1, i}), &CommandButton::clicked, this,
                guarded([this, i] { Noten1_Click(static_cast<qint16>(i)); }));
        connect(m_controls->button({Name::Noten2, i}), &CommandButton::clicked, this,
                guarded([this, i] { Noten2_Click(static_cast<qint16>(i)); }));
    }
    // The instructions offer the frets as "I-V oder 1-5": keys 1 to 5, on the main row
    // or the keypad, click fret buttons I to V as the access keys click theirs.
    for (int k = 0; k < BundAnzahl; ++k) {
        CommandButton *fret = m_controls->button({Name::BundTaste, k});
        const auto digit = static_cast<Qt::Key>(Qt::Key_1 + k);
        for (const QKeyCombination key :
             {QKeyCombination(digit), QKeyCombination(Qt::KeypadModifier, digit)}) {
            auto *shortcut = new QShortcut(QKeySequence(key), this);
            shortcut->setAutoRepeat(false);
            connect(shortcut, &QShortcut::activated, fret, [fret] { fret->animateClick(); });
        }
    }
    connect(m_controls->button({Name::Command1}), &CommandButton::clicked, this,
            guarded([this] { Command1_Click(); }));
    connect(m_controls->button({Name::Command3}), &CommandButton::clicked, this,
            guarded([this] { Command3_Click(); }));
    connect(m_controls->image({Name::Image4}), &controls::ImageControl::clicked, this,
            guarded([this] { Image4_Click(); }));
}

void GriffwandlerForm::setVisible(bool visible)
{
    if (visible && !m_loaded && isWindow()) {
        m_loaded = true;
        Form_Load();
        services::plattform().erstmalsZeigen(*this, [this] { QWidget::setVisible(true); });
        return;
    }
    QWidget::setVisible(visible);
}

void GriffwandlerForm::Form_Load()
{
    services::FormZentrieren(*this, 4);
    services::DickenRandSetzen(winId());
    services::setScreenMousePointer(services::ScreenPointer::Default);
}

void GriffwandlerForm::BundTaste_Click(qint16 index)
{
    griffwandler::BundTaste_Click(*m_controls, index);
}

void GriffwandlerForm::Noten1_Click(qint16 index)
{
    griffwandler::Noten1_Click(*m_controls, index);
}

void GriffwandlerForm::Noten2_Click(qint16 index)
{
    griffwandler::Noten2_Click(*m_controls, index);
}

void GriffwandlerForm::Command1_Click()
{
    close();
    QCoreApplication::exit(0);
}

void GriffwandlerForm::Command3_Click()
{
    services::BrowserAufrufen(winId(), services::homePageAddress());
}

void GriffwandlerForm::Image4_Click()
{
    services::BrowserAufrufen(winId(), services::secondPageAddress());
}

void GriffwandlerForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), fromOleColor(FormBackColor));
}

} // namespace griffwandler::app
