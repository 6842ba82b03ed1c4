// A window as a set of named controls with the event routing of a desktop form. Handlers are
// registered by control name and event; changing state by program raises the same events a
// user's action would where the window's toolkit does so:
//   - a list's selected index changed by program raises its Click;
//   - an option button or check box whose value changes raises its Click;
//   - a text box's (or editable list's) text changed by program raises its Change;
//   - setting the text of a list never raises Click.
// Observers hear about every change, so a view can redraw what changed.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "window/control.h"

namespace tavrolin {

// Enter: the user pressed the Enter key in a text box.
enum class Event : std::uint8_t { Click, Change, DblClick, Timer, Enter };

class FormObserver {
   public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(const Control& control) = 0;
    // A handler gave the control the keyboard focus.
    virtual void focusRequested(const Control& /*control*/) {}
};

class Form {
   public:
    using Handler = std::function<void(int index)>;  // index of a control array, else -1

    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Adds a control; names are unique per index. Returns the stored control.
    Control& add(Control control);
    bool has(const std::string& name, int index = -1) const;
    // The control. An unknown name aborts the program, naming the control.
    Control& operator()(const std::string& name, int index = -1);
    const Control& operator()(const std::string& name, int index = -1) const;
    // Controls in the order they were added (the window's control order).
    const std::vector<Control*>& controls() const { return m_order; }
    // The members of a control array, by index.
    std::vector<Control*> array(const std::string& name) const;

    void on(const std::string& name, Event event, Handler handler);
    // Runs the handler of an event, if one is registered. Also what a view calls for a user's
    // click, double-click or timer tick.
    void raise(const std::string& name, Event event, int index = -1);

    // Setters that notify observers and raise events as described above.
    void setText(const std::string& name, const std::string& text, int index = -1);
    void setCaption(const std::string& name, const std::string& caption, int index = -1);
    void setToolTip(const std::string& name, const std::string& toolTip, int index = -1);
    void setEnabled(const std::string& name, bool enabled, int index = -1);
    void setVisible(const std::string& name, bool visible, int index = -1);
    void setValue(const std::string& name, int value, int index = -1);
    // Selects entry i (-1 none); the text follows; Click when the selection changed.
    void setListIndex(const std::string& name, int listIndex, int index = -1);
    // The user chose entry i: Click whether or not it changed.
    void chooseByUser(const std::string& name, int listIndex, int index = -1);
    void clearList(const std::string& name, int index = -1);
    void addItem(const std::string& name, const std::string& item, int index = -1);
    void setItems(const std::string& name, std::vector<std::string> items, int index = -1);
    // Any other property change: edit the control through the callback, then notify.
    void change(const std::string& name, int index, const std::function<void(Control&)>& edit);
    void changed(const Control& control);  // notify after a direct edit
    // Gives a control the keyboard focus (SetFocus); focused() names the last one given it,
    // "name" or "name(index)", empty before any.
    void setFocus(const std::string& name, int index = -1);
    const std::string& focused() const { return m_focused; }

    void addObserver(FormObserver* observer);
    void removeObserver(FormObserver* observer);

   private:
    static std::string key(const std::string& name, int index);
    Control& find(const std::string& name, int index) const;

    std::map<std::string, std::unique_ptr<Control>> m_controls;
    std::vector<Control*> m_order;
    std::map<std::string, Handler> m_handlers;
    std::vector<FormObserver*> m_observers;
    std::string m_focused;
};

}  // namespace tavrolin
