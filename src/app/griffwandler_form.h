#pragma once

#include "control_set.h"

#include <QWidget>

#include <memory>

namespace griffwandler::controls {
class CommandButton;
}

namespace griffwandler::app {

// The program's one window: the capo chart with its fret buttons, chord cards,
// pointers, headings and links. Its state lives only in its controls.
class GriffwandlerForm : public QWidget {
    Q_OBJECT

public:
    explicit GriffwandlerForm(QWidget *parent = nullptr);
    ~GriffwandlerForm() override;

    ControlSet &controlSet() { return *m_controlSet; }
    const ControlSet &controlSet() const { return *m_controlSet; }

    // The window is loaded once, right before it is first shown.
    void setVisible(bool visible) override;

    // The seven bound handlers; every other event of every control does nothing.
    void Form_Load();
    void BundTaste_Click(qint16 index);
    void Noten1_Click(qint16 index);
    void Noten2_Click(qint16 index);
    void Command1_Click();
    void Command3_Click();
    void Image4_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void bindHandlers();
    // Tells screen readers what the click on fret `bundIndex` changed.
    void sayFret(int bundIndex, controls::CommandButton *focused, const QString &chordBefore);

    std::unique_ptr<ControlSet> m_controlSet;
    bool m_loaded = false;
};

} // namespace griffwandler::app
