// The Qt view of the main window: one widget per control of the model's form, redrawn from the
// model and forwarding the user's actions to it. Qt layouts place them: the window's rows (the
// source row, the message line, the two small frames, the attribute panel) in box layouts, and
// inside each frame the arrangement the model was designed with (twips / 15 = pixels at the
// design size), stretched with the frame; so the window can be resized, has a minimum that fits
// a 1280 x 720 screen and follows the screen's scaling. Model changes are collected and applied
// together on the next flush (when the event loop turns or the program lets the window process
// events), so a list filled entry by entry is redrawn once per flush, not once per entry.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "window/main_state.h"

class QTimer;

namespace tavrolin {

class QtMainWindow : public QWidget, public FormObserver {
   public:
    // The view observes main.form until it is destroyed; main must outlive it.
    explicit QtMainWindow(Main& main, QWidget* parent = nullptr);
    ~QtMainWindow() override;
    QtMainWindow(const QtMainWindow&) = delete;
    QtMainWindow& operator=(const QtMainWindow&) = delete;

    void controlChanged(const Control& control) override;
    // Applies every pending model change to the widgets now.
    void flush();
    // The widget that shows a control; nullptr for a control without one (the timer).
    QWidget* widgetFor(const std::string& name, int index = -1) const;

    // Opens the map window (once) and brings it up to date and to the front.
    void showMap();
    QWidget* mapWindow() const;

    // Pixels of a model position or size in twips.
    static int toPixels(int twips) { return twips / 15; }
    // A control's rectangle as designed, in pixels.
    static QRect designRect(const Control& control);

   protected:
    void showEvent(QShowEvent* event) override;
    // Files dropped anywhere on the window go to the model's drop routing.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

   private:
    struct View {
        Control* control = nullptr;
        QWidget* widget = nullptr;
        QTimer* timer = nullptr;
        bool dirty = false;
        bool timerArmed = false;
        std::vector<std::string> shownItems;  // list entries the widget holds
        std::string shownPicture;             // image path the widget shows
    };

    void createWidget(View& view);
    // Chains the widgets in the order Tab walks them on screen.
    void arrangeTabOrder();
    // Puts the widgets into the window's and the frames' layouts.
    void arrangeLayouts();
    // Places every widget for the window's current size at once, also while it is hidden.
    void placeNow();
    QWidget* containerOf(const Control& control) const;
    void connectUserActions(View& view);
    void apply(View& view);
    void applyList(View& view);
    void applyText(View& view, bool typing);
    void applyLabel(View& view);
    void applyPicture(View& view);
    void applyTimer(View& view);
    void markDirty(View& view);
    void scheduleFlush();
    // Runs a user's action on the model; a failure that escapes a handler is shown on Att.
    void act(const Control& control, const char* event, const std::function<void()>& action);

    Main& m_main;
    std::vector<std::unique_ptr<View>> m_views;
    std::unordered_map<const Control*, View*> m_byControl;
    std::vector<View*> m_dirty;
    bool m_flushScheduled = false;
    bool m_shown = false;
    std::unique_ptr<class MapWindow> m_mapWindow;
};

}  // namespace tavrolin
