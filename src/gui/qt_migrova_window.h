// The Qt view of Migrova's window: one widget per control of the model's form, placed where the
// model says (twips / 15 = pixels), redrawn on every model change and forwarding clicks and
// typing to it. The log Att is a read-only multi-line box kept scrolled to its end.
#pragma once

#include <QWidget>
#include <string>
#include <unordered_map>

#include "window/form.h"

namespace tavrolin {

class QtMigrovaWindow : public QWidget, public FormObserver {
   public:
    // The view observes the form until it is destroyed; the form must outlive it.
    explicit QtMigrovaWindow(Form& form, QWidget* parent = nullptr);
    ~QtMigrovaWindow() override;
    QtMigrovaWindow(const QtMigrovaWindow&) = delete;
    QtMigrovaWindow& operator=(const QtMigrovaWindow&) = delete;

    void controlChanged(const Control& control) override;
    void focusRequested(const Control& control) override;
    // The widget that shows a control.
    QWidget* widgetFor(const std::string& name) const;

   private:
    void createWidget(Control& control);
    void apply(const Control& control);

    Form& m_form;
    std::unordered_map<const Control*, QWidget*> m_widgets;
};

}  // namespace tavrolin
