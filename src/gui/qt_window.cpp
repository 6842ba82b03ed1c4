#include "gui/qt_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <exception>

#include "app/drop_routing.h"
#include "gui/map_window.h"
#include "gui/qt_color_swatch.h"
#include "gui/qt_colors.h"
#include "gui/qt_control_widgets.h"
#include "gui/qt_design_layout.h"

namespace tavrolin {

namespace {

constexpr int kWindowMargin = 8;     // pixels around the window's contents
constexpr int kDefaultFontSize = 8;  // the model's font size of a control left as designed
// A frame's contents shrink to this share of their designed width at most, so that the window
// fits a 1280 pixel wide screen (also 1920 pixels at 150 %) with every caption readable.
constexpr double kMinimumFrameScale = 0.9;
constexpr int kSourceMinimumWidth = 200;  // the path box gives way first

// The order Tab walks the controls: the window's top row as it reads, each frame's controls as
// they read, and in the attribute panel the polygon, point and line areas before the common
// attributes, each colour box right after its list. Labels, swatches and samples take no focus.
struct TabStop {
    const char* name;
    int index = -1;
};

constexpr TabStop kTabOrder[] = {
    {"btnSource"},  {"Source"},      {"btnReadShp"},  {"btnReadRmp"},  {"btnHelp"},
    {"btnLang"},    {"Att"},         {"SVID", 0},     {"SVID", 1},     {"SVID", 2},
    {"btnMap"},     {"btnAtrSave"},  {"btnMakeType"}, {"btnMakeSkin"}, {"GM"},
    {"GM_TYPE"},    {"MP_TYPE"},     {"TrnCase"},     {"LowCase"},     {"NoName"},
    {"LvlNull"},    {"TagMPC"},      {"fillDD"},      {"fillTOPO"},    {"fillUSER"},
    {"btnSetSave"}, {"btnMakeName"}, {"BDR_COLOR"},   {"BDR_CLRRGB"},  {"BDR_WIDTH"},
    {"BDR_PATTER"}, {"INFO_BOX"},    {"P_ICON"},      {"P_LIMIT"},     {"AWIDTH"},
    {"PATTERN"},    {"BFR_WIDTH"},   {"BFR_COLOR"},   {"BDF_CLRRGB"},  {"RTP_COLOR"},
    {"RTP_CLRRGB"}, {"RTP_LIMIT"},   {"L_LIMIT"},     {"U_LIMIT"},     {"LAYER"},
    {"MODE"},       {"AFONT"},       {"AICON"},       {"MAJ_CAT"},     {"MIN_CAT"},
    {"COLOR"},      {"CLRRGB"},      {"HAL_COLOR"},   {"HAL_CLRRGB"},  {"HTML"},
};

QString qs(const std::string& text) { return QString::fromStdString(text); }

// The text colour of a box: the model's, except that the usual dark text turns white on a dark
// background (a colour box showing dark blue stays readable).
QColor textColorOn(const QColor& background, std::uint32_t foreColor) {
    const double luminance =
        0.299 * background.red() + 0.587 * background.green() + 0.114 * background.blue();
    if (foreColor == color::kWindowText && luminance < 110) return Qt::white;
    return toQColor(foreColor);
}

}  // namespace

QtMainWindow::QtMainWindow(Main& main, QWidget* parent) : QWidget(parent), m_main(main) {
    setWindowTitle("Tavrolin");
    const std::vector<Control*>& controls = m_main.form.controls();
    m_views.reserve(controls.size());
    for (Control* control : controls) {
        auto view = std::make_unique<View>();
        view->control = control;
        m_byControl.emplace(control, view.get());
        m_views.push_back(std::move(view));
    }
    // Frames first, so that every other control finds its container.
    for (auto& view : m_views) {
        if (view->control->kind == ControlKind::Frame) createWidget(*view);
    }
    for (auto& view : m_views) {
        if (view->control->kind != ControlKind::Frame) createWidget(*view);
    }
    // The kind areas lie under the controls they surround, and the label sample over its halo.
    for (auto& view : m_views) {
        if (view->widget != nullptr && view->control->kind == ControlKind::Shape &&
            view->control->name.rfind("shp", 0) == 0) {
            view->widget->lower();
        }
    }
    if (QWidget* sample = widgetFor("SAMPOI")) sample->raise();

    arrangeLayouts();
    for (auto& view : m_views) apply(*view);
    resize(sizeHint());
    placeNow();
    arrangeTabOrder();
    // Text boxes take dropped text by default; here a drop anywhere means the window's drop.
    for (QWidget* child : findChildren<QWidget*>()) child->setAcceptDrops(false);
    setAcceptDrops(true);
    m_main.form.addObserver(this);
}

void QtMainWindow::placeNow() {
    layout()->activate();
    // A hidden frame gets its resize event only when shown: place its contents for the size
    // the window's layout gave it now, so that the window is complete before it is shown.
    for (auto& view : m_views) {
        if (view->control->kind == ControlKind::Frame && view->widget->layout() != nullptr) {
            view->widget->layout()->setGeometry(view->widget->rect());
        }
    }
}

QRect QtMainWindow::designRect(const Control& c) {
    return {toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height)};
}

void QtMainWindow::arrangeLayouts() {
    // Inside each frame the designed arrangement, stretched with the frame.
    std::unordered_map<QWidget*, DesignLayout*> frames;
    for (auto& view : m_views) {
        const Control& c = *view->control;
        if (c.kind != ControlKind::Frame) continue;
        const QRect frame = designRect(c);
        frames[view->widget] = new DesignLayout(view->widget, frame.size(), kMinimumFrameScale);
    }
    for (auto& view : m_views) {
        if (view->widget == nullptr || view->control->kind == ControlKind::Frame) continue;
        auto frame = frames.find(view->widget->parentWidget());
        if (frame == frames.end()) continue;
        const Control* control = view->control;
        frame->second->addDesigned(view->widget, [control] { return designRect(*control); });
    }

    // The window: the top row and the message line across, the two small frames side by side,
    // the attribute panel below taking what height there is. Gaps as designed.
    auto fixedToDesign = [this](const char* name) {
        QWidget* widget = widgetFor(name);
        if (widget != nullptr) widget->setFixedSize(designRect(m_main.form(name)).size());
        return widget;
    };
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(kWindowMargin, kWindowMargin, kWindowMargin, kWindowMargin);
    window->setSpacing(0);

    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    top->addWidget(fixedToDesign("btnSource"));
    top->addSpacing(4);
    if (QWidget* source = widgetFor("Source")) {
        source->setFixedHeight(designRect(m_main.form("Source")).height());
        source->setMinimumWidth(kSourceMinimumWidth);
        top->addWidget(source, 1);
    }
    top->addSpacing(6);
    bool first = true;
    for (const char* name : {"btnReadShp", "btnReadRmp", "btnHelp", "btnLang"}) {
        if (!first) top->addSpacing(4);
        first = false;
        top->addWidget(fixedToDesign(name));
    }
    window->addLayout(top);
    window->addSpacing(6);
    if (QWidget* att = widgetFor("Att")) {
        att->setFixedHeight(designRect(m_main.form("Att")).height());
        window->addWidget(att);
    }
    window->addSpacing(8);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    first = true;
    for (const char* name : {"frmTYPE", "frmNAME"}) {
        QWidget* frame = widgetFor(name);
        if (frame == nullptr) continue;
        if (!first) middle->addSpacing(4);
        first = false;
        frame->setMaximumHeight(designRect(m_main.form(name)).height());
        middle->addWidget(frame, designRect(m_main.form(name)).width());
    }
    window->addLayout(middle);
    window->addSpacing(6);
    if (QWidget* panel = widgetFor("frmALL")) window->addWidget(panel, 1);
}

QtMainWindow::~QtMainWindow() { m_main.form.removeObserver(this); }

void QtMainWindow::arrangeTabOrder() {
    QWidget* previous = nullptr;
    for (const TabStop& stop : kTabOrder) {
        QWidget* widget = widgetFor(stop.name, stop.index);
        if (widget == nullptr) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget* QtMainWindow::containerOf(const Control& control) const {
    if (control.container.empty()) return const_cast<QtMainWindow*>(this);
    QWidget* container = widgetFor(control.container);
    return container != nullptr ? container : const_cast<QtMainWindow*>(this);
}

QWidget* QtMainWindow::widgetFor(const std::string& name, int index) const {
    if (!m_main.form.has(name, index)) return nullptr;
    auto it = m_byControl.find(&m_main.form(name, index));
    return it == m_byControl.end() ? nullptr : it->second->widget;
}

void QtMainWindow::createWidget(View& view) {
    const Control& c = *view.control;
    QWidget* parent = c.kind == ControlKind::Frame ? this : containerOf(c);
    switch (c.kind) {
        case ControlKind::Button:
            view.widget = new QPushButton(parent);
            break;
        case ControlKind::CheckBox:
            view.widget = new QCheckBox(parent);
            break;
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(parent);
            option->setAutoExclusive(false);  // the model keeps one option of a group chosen
            view.widget = option;
            break;
        }
        case ControlKind::ComboBox: {
            auto* box = new QComboBox(parent);
            box->setEditable(c.style == ListStyle::Editable);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            box->setMaxVisibleItems(24);
            if (auto* list = qobject_cast<QListView*>(box->view())) {
                list->setUniformItemSizes(true);  // long found-object lists open quickly
            }
            if (c.colorCodeList) box->setIconSize(QSize(20, 14));
            view.widget = box;
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = new ClickLineEdit(parent);
            if (c.name == "Att") edit->setReadOnly(true);  // the message line is written, not typed
            view.widget = edit;
            break;
        }
        case ControlKind::Label: {
            auto* label = new ClickLabel(parent);
            label->setTextFormat(Qt::PlainText);
            if (c.name == "POLY" || c.name == "lblM")
                label->setAlignment(Qt::AlignCenter);
            else
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            view.widget = label;
            break;
        }
        case ControlKind::Frame:
            view.widget = new QGroupBox(parent);
            break;
        case ControlKind::Image: {
            auto* image = new QLabel(parent);
            image->setAlignment(Qt::AlignCenter);
            view.widget = image;
            break;
        }
        case ControlKind::Shape:
            view.widget = new ShapeView(c, parent);
            break;
        case ControlKind::Line:
            view.widget = new LineView(c, parent);
            break;
        case ControlKind::Timer: {
            view.timer = new QTimer(this);
            view.timer->setSingleShot(true);
            break;
        }
    }
    connectUserActions(view);
}

void QtMainWindow::connectUserActions(View& view) {
    Control& c = *view.control;
    Form& form = m_main.form;
    const std::string name = c.name;
    const int index = c.index;
    switch (c.kind) {
        case ControlKind::Button:
            connect(static_cast<QPushButton*>(view.widget), &QPushButton::clicked, this,
                    [this, &c, &form, name, index] {
                        act(c, "Click", [&] { form.raise(name, Event::Click, index); });
                    });
            break;
        case ControlKind::CheckBox:
            connect(static_cast<QCheckBox*>(view.widget), &QCheckBox::clicked, this,
                    [this, &view, &form, name, index](bool checked) {
                        act(*view.control, "Click",
                            [&] { form.setValue(name, checked ? 1 : 0, index); });
                        apply(view);
                    });
            break;
        case ControlKind::OptionButton:
            // Clicking the chosen option changes nothing and raises nothing; the widget is put
            // back to the model's state either way.
            connect(static_cast<QRadioButton*>(view.widget), &QRadioButton::clicked, this,
                    [this, &view, &form, name, index] {
                        act(*view.control, "Click", [&] { form.setValue(name, 1, index); });
                        apply(view);
                    });
            break;
        case ControlKind::ComboBox: {
            auto* box = static_cast<QComboBox*>(view.widget);
            connect(box, &QComboBox::activated, this,
                    [this, &view, &form, box, name, index](int chosen) {
                        if (view.dirty) {
                            // The widget is behind the model: find the chosen entry by its text.
                            const std::string text = box->itemText(chosen).toStdString();
                            flush();
                            const auto& items = view.control->items;
                            auto it = std::find(items.begin(), items.end(), text);
                            if (it == items.end()) return;
                            chosen = static_cast<int>(it - items.begin());
                        }
                        act(*view.control, "Click",
                            [&] { form.chooseByUser(name, chosen, index); });
                    });
            if (box->isEditable()) {
                connect(box->lineEdit(), &QLineEdit::textEdited, this,
                        [this, &view, &form, name, index](const QString& text) {
                            act(*view.control, "Change",
                                [&] { form.setText(name, text.toStdString(), index); });
                        });
            }
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = static_cast<ClickLineEdit*>(view.widget);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, &view, &form, name, index](const QString& text) {
                        act(*view.control, "Change",
                            [&] { form.setText(name, text.toStdString(), index); });
                        // Show at once what the handlers made of the typed text, with the
                        // cursor where the user is typing.
                        applyText(view, true);
                    });
            connect(edit, &QLineEdit::returnPressed, this, [this, &c, &form, name, index] {
                act(c, "Enter", [&] { form.raise(name, Event::Enter, index); });
            });
            edit->onDoubleClick = [this, &c, &form, name, index] {
                act(c, "DblClick", [&] { form.raise(name, Event::DblClick, index); });
            };
            break;
        }
        case ControlKind::Label: {
            auto* label = static_cast<ClickLabel*>(view.widget);
            label->onClick = [this, &c, &form, name, index] {
                act(c, "Click", [&] { form.raise(name, Event::Click, index); });
            };
            label->onDoubleClick = [this, &c, &form, name, index] {
                act(c, "DblClick", [&] { form.raise(name, Event::DblClick, index); });
            };
            break;
        }
        case ControlKind::Shape:
            // A depth swatch's box answers a double-click as its code above it does.
            if (name == "POLYS") {
                static_cast<ShapeView*>(view.widget)->reportDoubleClicks([this, &c, &form, index] {
                    act(c, "DblClick", [&] { form.raise("POLY", Event::DblClick, index); });
                });
            }
            break;
        case ControlKind::Timer:
            connect(view.timer, &QTimer::timeout, this, [this, &c, &form, name, index] {
                act(c, "Timer", [&] { form.raise(name, Event::Timer, index); });
            });
            break;
        default:
            break;
    }
}

void QtMainWindow::act(const Control& control, const char* event,
                       const std::function<void()>& action) {
    const std::string name = control.name;
    try {
        action();
    } catch (const std::exception& e) {
        m_main.att(" ! " + name + "_" + event + ": " + e.what());
        m_main.platform.beep();
    }
}

void QtMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void QtMainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    const bool shiftDown = event->modifiers().testFlag(Qt::ShiftModifier);
    event->acceptProposedAction();
    // The work runs after the drop is over, so the program the file came from is not kept
    // waiting while a conversion runs.
    QTimer::singleShot(0, this, [this, paths, shiftDown] {
        try {
            dropFiles(m_main, paths, shiftDown);
        } catch (const std::exception& e) {
            m_main.att(std::string(" ! drop: ") + e.what());
            m_main.platform.beep();
        }
    });
}

void QtMainWindow::controlChanged(const Control& control) {
    auto it = m_byControl.find(&control);
    if (it != m_byControl.end()) markDirty(*it->second);
}

void QtMainWindow::markDirty(View& view) {
    if (view.dirty) return;
    view.dirty = true;
    m_dirty.push_back(&view);
    scheduleFlush();
}

void QtMainWindow::scheduleFlush() {
    if (m_flushScheduled) return;
    m_flushScheduled = true;
    QTimer::singleShot(0, this, [this] {
        if (m_flushScheduled) flush();
    });
}

void QtMainWindow::flush() {
    m_flushScheduled = false;
    std::vector<View*> dirty;
    dirty.swap(m_dirty);
    for (View* view : dirty) {
        view->dirty = false;
        apply(*view);
    }
}

void QtMainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_shown = true;
    for (auto& view : m_views) {
        if (view->timer != nullptr) applyTimer(*view);
    }
}

void QtMainWindow::apply(View& view) {
    const Control& c = *view.control;
    if (c.kind == ControlKind::Timer) {
        applyTimer(view);
        return;
    }
    QWidget* widget = view.widget;
    // A control inside a frame follows the model's position at once (the icon preview moves
    // with the kind); the window's own rows and the frames are placed by the window's layout.
    QWidget* frame = widget->parentWidget();
    if (frame != this && frame != nullptr && dynamic_cast<DesignLayout*>(frame->layout())) {
        const auto* layout = static_cast<DesignLayout*>(frame->layout());
        widget->setGeometry(
            DesignLayout::place(designRect(c), layout->designSize(), frame->size()));
    }
    widget->setEnabled(c.enabled);
    widget->setToolTip(qs(c.toolTip));
    switch (c.kind) {
        case ControlKind::Button:
            static_cast<QPushButton*>(widget)->setText(qs(c.caption));
            break;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: {
            auto* button = static_cast<QAbstractButton*>(widget);
            QSignalBlocker block(button);
            button->setText(qs(c.caption));
            button->setChecked(c.value != 0);
            break;
        }
        case ControlKind::ComboBox:
            applyList(view);
            break;
        case ControlKind::TextBox:
            applyText(view, false);
            break;
        case ControlKind::Label:
            applyLabel(view);
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox*>(widget)->setTitle(qs(c.caption));
            break;
        case ControlKind::Image:
            applyPicture(view);
            break;
        case ControlKind::Shape:
        case ControlKind::Line:
            widget->update();
            break;
        case ControlKind::Timer:
            break;
    }
    widget->setVisible(c.visible);
}

void QtMainWindow::applyList(View& view) {
    const Control& c = *view.control;
    auto* box = static_cast<QComboBox*>(view.widget);
    QSignalBlocker block(box);
    std::vector<std::string>& shown = view.shownItems;
    // Entries appended since the last flush are added in one go; any other change of the
    // entries refills the widget.
    const bool appended =
        c.items.size() >= shown.size() && std::equal(shown.begin(), shown.end(), c.items.begin());
    if (!appended || c.items.size() != shown.size()) {
        box->setUpdatesEnabled(false);
        if (!appended) {
            box->clear();
            shown.clear();
        }
        if (c.colorCodeList) {
            for (std::size_t i = shown.size(); i < c.items.size(); ++i) {
                box->addItem(colorCodeSwatch(c.items[i]), qs(c.items[i]));
            }
        } else {
            QStringList added;
            added.reserve(static_cast<qsizetype>(c.items.size() - shown.size()));
            for (std::size_t i = shown.size(); i < c.items.size(); ++i) added << qs(c.items[i]);
            box->addItems(added);
        }
        shown.assign(c.items.begin(), c.items.end());
        box->setUpdatesEnabled(true);
    }
    if (box->currentIndex() != c.listIndex) box->setCurrentIndex(c.listIndex);
    if (box->isEditable()) {
        const QString text = qs(c.text);
        if (box->currentText() != text) box->setEditText(text);
        // Show the beginning of a long entry (a type code before its label) unless typing.
        if (!box->lineEdit()->hasFocus()) box->lineEdit()->setCursorPosition(0);
    }
}

void QtMainWindow::applyText(View& view, bool typing) {
    const Control& c = *view.control;
    auto* edit = static_cast<QLineEdit*>(view.widget);
    QSignalBlocker block(edit);
    edit->setMaxLength(c.maxLength > 0 ? c.maxLength : 32767);
    const QString text = qs(c.text);
    if (edit->text() != text) {
        const int cursor = edit->cursorPosition();
        edit->setText(text);
        // The beginning of a message stays in sight; a box being typed in keeps its cursor.
        const bool keepCursor = typing || edit->hasFocus();
        edit->setCursorPosition(keepCursor ? std::min<int>(cursor, text.size()) : 0);
    }
    QPalette palette = edit->palette();
    const QColor back = toQColor(c.backColor);
    const QColor ink = textColorOn(back, c.foreColor);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Text, ink);
    }
    // A disabled box (a colour box of another kind) looks disabled; one showing a colour keeps
    // showing it.
    const QPalette& plain = QApplication::palette();
    palette.setColor(QPalette::Disabled, QPalette::Base,
                     c.backColor == color::kWindowBackground
                         ? plain.color(QPalette::Disabled, QPalette::Base)
                         : back);
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     plain.color(QPalette::Disabled, QPalette::Text));
    edit->setPalette(palette);
}

void QtMainWindow::applyLabel(View& view) {
    const Control& c = *view.control;
    auto* label = static_cast<QLabel*>(view.widget);
    label->setText(qs(c.caption));
    // The model's text colour for an enabled label; a disabled one (the caption of a list that
    // does not apply to the kind) keeps the toolkit's greyed text, as its list does.
    QPalette palette = label->palette();
    const QColor text = toQColor(c.foreColor);
    palette.setColor(QPalette::Active, QPalette::WindowText, text);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, text);
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
    palette.setColor(QPalette::Window, toQColor(c.backColor));
    label->setPalette(palette);
    // An opaque label in the button face shows the colour of what it sits on, as it did on the
    // desktop the window was drawn for (where frames and window share that colour).
    label->setAutoFillBackground(c.backStyle == 1 && c.backColor != color::kButtonFace);
    if (c.fontSize != kDefaultFontSize || c.fontBold) {
        QFont font = QApplication::font();
        font.setPointSize(c.fontSize);
        font.setBold(c.fontBold);
        label->setFont(font);
    } else {
        label->setFont(QApplication::font());
    }
}

void QtMainWindow::applyPicture(View& view) {
    const Control& c = *view.control;
    if (c.picture == view.shownPicture) return;
    view.shownPicture = c.picture;
    auto* image = static_cast<QLabel*>(view.widget);
    QPixmap picture;
    if (c.picture.empty() || !picture.load(qs(c.picture))) {
        image->clear();  // a missing or unreadable picture shows nothing
        return;
    }
    const QSize room = image->size();
    if (picture.width() > room.width() || picture.height() > room.height()) {
        picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    image->setPixmap(picture);
}

void QtMainWindow::applyTimer(View& view) {
    const Control& c = *view.control;
    // A one-shot timer: armed once the window is shown while it is enabled with an interval; it
    // fires once and stays quiet until the model disarms and arms it again.
    const bool wanted = m_shown && c.enabled && c.interval > 0;
    if (wanted && !view.timerArmed) {
        view.timerArmed = true;
        view.timer->start(c.interval);
    } else if (!wanted && view.timerArmed) {
        view.timerArmed = false;
        view.timer->stop();
    }
}

void QtMainWindow::showMap() {
    if (!m_mapWindow) m_mapWindow = std::make_unique<MapWindow>(m_main);
    m_mapWindow->show();
    m_mapWindow->rebuild();
    m_mapWindow->raise();
    m_mapWindow->activateWindow();
}

QWidget* QtMainWindow::mapWindow() const { return m_mapWindow.get(); }

}  // namespace tavrolin
