#include "griffwandler_form.h"

#include "assets/bilder.h"
#include "chart/kapo_stellung.h"
#include "chart/zeiger_stellung.h"
#include "controls/accessibility.h"
#include "controls/command_button.h"
#include "controls/image_control.h"
#include "controls/label_control.h"
#include "failure_exit.h"
#include "services/dicker_win_rand.h"
#include "services/mdl_browser_aufrufen.h"
#include "services/platform.h"
#include "services/screen_pointer.h"
#include "services/web_addresses.h"
#include "services/zentriere_form.h"
#include "spoken_chart.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPainter>

namespace griffwandler::app {

namespace {

// Screen readers meet the window as a frame with its name, so that they have a title
// to say and list it among the open windows.
QAccessibleInterface *formFactory(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(GriffwandlerForm::staticMetaObject.className()))
        if (auto *form = qobject_cast<GriffwandlerForm *>(object))
            return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

} // namespace

GriffwandlerForm::GriffwandlerForm(QWidget *parent)
    : QWidget(parent, services::platform().dialogFlags())
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(formFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("GriffwandlerForm"));
    setWindowTitle(QString());
    if (services::platform().windowIcons())
        setWindowIcon(assets::programIcon());
    // Where a pointer cannot show a picture, the hand shape of the platform's own.
    setCursor(services::platform().pictureCursors() ? assets::windowPointer()
                                                    : QCursor(Qt::PointingHandCursor));
    setFixedSize(toPixels(ClientArea).size());
    setAccessibleName(QStringLiteral("Griffwandler"));

    m_controlSet = std::make_unique<ControlSet>(*this);
    bindHandlers();
    // "&Webseite" is the window's default button: Enter clicks it unless another
    // button holds the focus, which takes Enter itself.
    m_controlSet->button({Name::Command3})->setDefaultRole(true);
    m_controlSet->widget({Name::Command1})->setFocus();
}

GriffwandlerForm::~GriffwandlerForm() = default;

void GriffwandlerForm::bindHandlers()
{
    // Every handler runs guarded: an exception must not unwind into the event loop.
    using controls::CommandButton;
    for (int k = 0; k < BundAnzahl; ++k)
        connect(m_controlSet->button({Name::BundTaste, k}), &CommandButton::clicked, this,
                guarded([this, k] { BundTaste_Click(static_cast<qint16>(k)); }));
    for (int i = 0; i < SpaltenAnzahl; ++i) {
        connect(m_controlSet->button({Name::Noten1, i}), &CommandButton::clicked, this,
                guarded([this, i] { Noten1_Click(static_cast<qint16>(i)); }));
        connect(m_controlSet->button({Name::Noten2, i}), &CommandButton::clicked, this,
                guarded([this, i] { Noten2_Click(static_cast<qint16>(i)); }));
    }
    // The instructions offer the frets as "I-V oder 1-5": keys 1 to 5, on the main row
    // or the keypad, click fret buttons I to V as the access keys click theirs. Screen
    // readers hear the frets as a choice of one, none chosen before the first click.
    for (int k = 0; k < BundAnzahl; ++k) {
        CommandButton *fret = m_controlSet->button({Name::BundTaste, k});
        const auto digit = static_cast<Qt::Key>(Qt::Key_1 + k);
        fret->addClickKey(QKeySequence(digit));
        fret->addClickKey(QKeySequence(QKeyCombination(Qt::KeypadModifier, digit)));
        fret->setChoice(CommandButton::Choice::NotChosen);
    }
    connect(m_controlSet->button({Name::Command1}), &CommandButton::clicked, this,
            guarded([this] { Command1_Click(); }));
    connect(m_controlSet->button({Name::Command3}), &CommandButton::clicked, this,
            guarded([this] { Command3_Click(); }));
    connect(m_controlSet->image({Name::Image4}), &controls::ImageControl::clicked, this,
            guarded([this] { Image4_Click(); }));
}

void GriffwandlerForm::setVisible(bool visible)
{
    if (visible && !m_loaded && isWindow()) {
        m_loaded = true;
        Form_Load();
        services::platform().showFirstTime(*this, [this] { QWidget::setVisible(true); });
        return;
    }
    QWidget::setVisible(visible);
}

void GriffwandlerForm::Form_Load()
{
    services::FormZentrieren(*this, services::ModeCentre);
    services::DickenRandSetzen(winId());
    services::setScreenMousePointer(services::ScreenPointer::Default);
}

void GriffwandlerForm::BundTaste_Click(qint16 index)
{
    auto *focused = qobject_cast<controls::CommandButton *>(focusWidget());
    const QString chordBefore = focused ? focused->pictureDescription() : QString();
    griffwandler::BundTaste_Click(*m_controlSet, index);
    sayFret(index, focused, chordBefore);
}

void GriffwandlerForm::sayFret(int bundIndex, controls::CommandButton *focused,
                               const QString &chordBefore)
{
    describeCards(*m_controlSet);
    for (int k = 0; k < BundAnzahl; ++k)
        m_controlSet->button({Name::BundTaste, k})
            ->setChoice(k == bundIndex ? controls::CommandButton::Choice::Chosen
                                       : controls::CommandButton::Choice::NotChosen);
    // The capo position is said wherever the focus is; a focused card whose chord the
    // fret has changed is said again with it, in the same breath, as a second
    // message would cut the first one short.
    QString message = m_controlSet->label({Name::Label1})->caption();
    if (focused && focused->pictureDescription() != chordBefore) {
        QString card =
            QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Description);
        if (!card.isEmpty())
            card[0] = card[0].toUpper();
        message += u' ' + card;
    }
    controls::announce(this, message);
}

void GriffwandlerForm::Noten1_Click(qint16 index)
{
    griffwandler::Noten1_Click(*m_controlSet, index);
}

void GriffwandlerForm::Noten2_Click(qint16 index)
{
    griffwandler::Noten2_Click(*m_controlSet, index);
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
