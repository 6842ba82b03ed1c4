#include "gui/qt_migrova_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "gui/qt_colors.h"
#include "migrova/migrova_controls.h"

namespace tavrolin {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kWindowMargin = 8;  // pixels right of and below the outermost control

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Shows a multi-line text, appending when the model only added to it, and scrolls to its end.
void showLog(QPlainTextEdit& box, const std::string& text) {
    const std::string shown = box.toPlainText().toStdString();
    if (shown == text) return;
    if (!shown.empty() && text.compare(0, shown.size(), shown) == 0) {
        QTextCursor end = box.textCursor();
        end.movePosition(QTextCursor::End);
        end.insertText(qs(text.substr(shown.size())));
    } else {
        box.setPlainText(qs(text));
    }
    box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
}

}  // namespace

QtMigrovaWindow::QtMigrovaWindow(Form& form, QWidget* parent) : QWidget(parent), m_form(form) {
    setWindowTitle(qs(migrova::kWindowCaption));
    int right = 0;
    int bottom = 0;
    for (Control* control : m_form.controls()) {
        createWidget(*control);
        apply(*control);
        right = std::max(right, (control->left + control->width) / kTwipsPerPixel);
        bottom = std::max(bottom, (control->top + control->height) / kTwipsPerPixel);
    }
    setFixedSize(right + kWindowMargin, bottom + kWindowMargin);
    m_form.addObserver(this);
}

QtMigrovaWindow::~QtMigrovaWindow() { m_form.removeObserver(this); }

QWidget* QtMigrovaWindow::widgetFor(const std::string& name) const {
    if (!m_form.has(name)) return nullptr;
    auto it = m_widgets.find(&m_form(name));
    return it == m_widgets.end() ? nullptr : it->second;
}

void QtMigrovaWindow::createWidget(Control& control) {
    const std::string name = control.name;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Button: {
            auto* button = new QPushButton(this);
            connect(button, &QPushButton::clicked, this,
                    [this, name] { m_form.raise(name, Event::Click); });
            widget = button;
            break;
        }
        case ControlKind::TextBox:
            if (control.multiLine) {
                auto* box = new QPlainTextEdit(this);
                box->setReadOnly(true);  // the log is written, not typed
                box->setLineWrapMode(QPlainTextEdit::NoWrap);
                widget = box;
            } else {
                auto* edit = new QLineEdit(this);
                connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                    m_form.setText(name, text.toStdString());
                });
                widget = edit;
            }
            break;
        default: {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            widget = label;
            break;
        }
    }
    widget->setGeometry(control.left / kTwipsPerPixel, control.top / kTwipsPerPixel,
                        control.width / kTwipsPerPixel, control.height / kTwipsPerPixel);
    m_widgets.emplace(&control, widget);
}

void QtMigrovaWindow::apply(const Control& control) {
    QWidget* widget = m_widgets.at(&control);
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
    widget->setToolTip(qs(control.toolTip));
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(qs(control.caption));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        showLog(*box, control.text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text().toStdString() != control.text) edit->setText(qs(control.text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qs(control.caption));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(control.foreColor));
        label->setPalette(palette);
    }
}

void QtMigrovaWindow::controlChanged(const Control& control) {
    if (m_widgets.count(&control) != 0) apply(control);
}

void QtMigrovaWindow::focusRequested(const Control& control) {
    auto it = m_widgets.find(&control);
    if (it != m_widgets.end()) it->second->setFocus();
}

}  // namespace tavrolin
