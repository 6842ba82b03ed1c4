#include "window/form.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstdlib>

namespace tavrolin {

namespace color {
bool isSystem(std::uint32_t value) { return (value & 0x80000000u) != 0; }

std::uint32_t resolve(std::uint32_t value) {
    switch (value) {
        case kButtonFace:
            return 0xF0F0F0;
        case kWindowText:
            return 0x000000;
        case kWindowBackground:
            return 0xFFFFFF;
        case kHighlight:
            return 0xD77800;  // blue 0, 120, 215
        default:
            return isSystem(value) ? 0xF0F0F0 : (value & 0xFFFFFF);
    }
}
}  // namespace color

namespace {
// The number of bytes that the first `characters` characters of a UTF-8 text take, so that a
// length limit never cuts a character in two.
std::size_t utf8PrefixBytes(const std::string& text, int characters) {
    std::size_t bytes = 0;
    for (int counted = 0; bytes < text.size() && counted < characters; ++counted) {
        ++bytes;
        while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
            ++bytes;
        }
    }
    return bytes;
}
}  // namespace

std::string Form::key(const std::string& name, int index) {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

Control& Form::add(Control control) {
    std::string k = key(control.name, control.index);
    assert(m_controls.count(k) == 0);  // control names are unique per index
    auto stored = std::make_unique<Control>(std::move(control));
    Control* raw = stored.get();
    m_controls.emplace(k, std::move(stored));
    m_order.push_back(raw);
    return *raw;
}

bool Form::has(const std::string& name, int index) const {
    return m_controls.count(key(name, index)) != 0;
}

Control& Form::find(const std::string& name, int index) const {
    auto it = m_controls.find(key(name, index));
    if (it == m_controls.end()) {
        // Every control a handler names exists; a misspelt name is a programming fault, so
        // stop here and say which, in every build.
        std::fprintf(stderr, "unknown control %s\n", key(name, index).c_str());
        std::abort();
    }
    return *it->second;
}

Control& Form::operator()(const std::string& name, int index) { return find(name, index); }

const Control& Form::operator()(const std::string& name, int index) const {
    return find(name, index);
}

std::vector<Control*> Form::array(const std::string& name) const {
    std::vector<Control*> members;
    for (Control* c : m_order) {
        if (c->name == name && c->index >= 0) members.push_back(c);
    }
    std::sort(members.begin(), members.end(),
              [](const Control* a, const Control* b) { return a->index < b->index; });
    return members;
}

void Form::on(const std::string& name, Event event, Handler handler) {
    m_handlers[name + "#" + std::to_string(static_cast<int>(event))] = std::move(handler);
}

void Form::raise(const std::string& name, Event event, int index) {
    auto it = m_handlers.find(name + "#" + std::to_string(static_cast<int>(event)));
    if (it == m_handlers.end()) return;
    Handler handler = it->second;  // a handler may re-register handlers while it runs
    handler(index);
}

void Form::changed(const Control& control) {
    for (FormObserver* observer : m_observers) observer->controlChanged(control);
}

void Form::change(const std::string& name, int index, const std::function<void(Control&)>& edit) {
    Control& c = (*this)(name, index);
    edit(c);
    changed(c);
}

void Form::setText(const std::string& name, const std::string& text, int index) {
    Control& c = (*this)(name, index);
    std::string newText = text;
    if (c.maxLength > 0) newText.resize(utf8PrefixBytes(newText, c.maxLength));
    if (c.text == newText) return;
    c.text = newText;
    if (c.isList()) {
        // The text selects the entry it equals, if any, without a Click: a pick list shows only
        // its entries, and an editable list's index must not point at an entry it no longer
        // shows.
        auto it = std::find(c.items.begin(), c.items.end(), newText);
        c.listIndex = it == c.items.end() ? -1 : static_cast<int>(it - c.items.begin());
    }
    changed(c);
    if (c.kind == ControlKind::TextBox || (c.isList() && c.style == ListStyle::Editable)) {
        raise(name, Event::Change, index);
    }
}

void Form::setCaption(const std::string& name, const std::string& caption, int index) {
    Control& c = (*this)(name, index);
    if (c.caption == caption) return;
    c.caption = caption;
    changed(c);
}

void Form::setToolTip(const std::string& name, const std::string& toolTip, int index) {
    Control& c = (*this)(name, index);
    if (c.toolTip == toolTip) return;
    c.toolTip = toolTip;
    changed(c);
}

void Form::setEnabled(const std::string& name, bool enabled, int index) {
    Control& c = (*this)(name, index);
    if (c.enabled == enabled) return;
    c.enabled = enabled;
    changed(c);
}

void Form::setVisible(const std::string& name, bool visible, int index) {
    Control& c = (*this)(name, index);
    if (c.visible == visible) return;
    c.visible = visible;
    changed(c);
}

void Form::setValue(const std::string& name, int value, int index) {
    Control& c = (*this)(name, index);
    if (c.value == value) return;
    c.value = value;
    if (c.kind == ControlKind::OptionButton && value != 0) {
        // Choosing one option clears the others of its group.
        for (Control* other : array(name)) {
            if (other != &c && other->value != 0) {
                other->value = 0;
                changed(*other);
            }
        }
    }
    changed(c);
    if (c.kind == ControlKind::CheckBox || (c.kind == ControlKind::OptionButton && value != 0)) {
        raise(name, Event::Click, index);
    }
}

void Form::setListIndex(const std::string& name, int listIndex, int index) {
    Control& c = (*this)(name, index);
    if (listIndex < -1 || listIndex >= c.listCount()) listIndex = -1;
    if (c.listIndex == listIndex) return;
    c.listIndex = listIndex;
    if (listIndex >= 0) {
        c.text = c.items[static_cast<std::size_t>(listIndex)];
    } else if (c.style == ListStyle::PickList) {
        c.text.clear();
    }
    changed(c);
    raise(name, Event::Click, index);
}

void Form::chooseByUser(const std::string& name, int listIndex, int index) {
    Control& c = (*this)(name, index);
    if (listIndex < -1 || listIndex >= c.listCount()) listIndex = -1;
    c.listIndex = listIndex;
    if (listIndex >= 0) c.text = c.items[static_cast<std::size_t>(listIndex)];
    changed(c);
    raise(name, Event::Click, index);
}

void Form::clearList(const std::string& name, int index) {
    Control& c = (*this)(name, index);
    c.items.clear();
    c.listIndex = -1;
    c.text.clear();
    changed(c);
}

void Form::addItem(const std::string& name, const std::string& item, int index) {
    Control& c = (*this)(name, index);
    c.items.push_back(item);
    changed(c);
}

void Form::setItems(const std::string& name, std::vector<std::string> items, int index) {
    Control& c = (*this)(name, index);
    c.items = std::move(items);
    c.listIndex = -1;
    if (c.style == ListStyle::PickList) c.text.clear();
    changed(c);
}

void Form::setFocus(const std::string& name, int index) {
    Control& c = (*this)(name, index);
    m_focused = key(name, index);
    for (FormObserver* observer : m_observers) observer->focusRequested(c);
}

void Form::addObserver(FormObserver* observer) { m_observers.push_back(observer); }

void Form::removeObserver(FormObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

}  // namespace tavrolin
