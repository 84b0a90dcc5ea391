#pragma once
// A window's size limits: minimum and maximum width and height in pixels of the whole window,
// shared by every instance (one set per process); a negative value means "not set". While an
// instance is active, the window's minimum and maximum tracking sizes follow these limits.

class QWidget;

namespace lumetra::geometry {

class objMinMaxInfo {
public:
    // Creating any instance resets the four shared limits to -1.
    objMinMaxInfo();
    objMinMaxInfo(const objMinMaxInfo&) = delete;
    objMinMaxInfo& operator=(const objMinMaxInfo&) = delete;

    QWidget* hWnd() const { return hWnd_; }
    // Ignored while the instance is active.
    void setHWnd(QWidget* window);
    bool Inizializzato() const { return inizializzato_; }

    // Installs the limits on the window (nothing when no window is set or already active).
    void Inizializza();
    // Takes them off again (nothing when inactive).
    void Termina();

    static int MinWidth();
    static void setMinWidth(int value);
    static int MinHeight();
    static void setMinHeight(int value);
    static int MaxWidth();
    static void setMaxWidth(int value);
    static int MaxHeight();
    static void setMaxHeight(int value);

private:
    QWidget* hWnd_ = nullptr;
    bool inizializzato_ = false;
};

} // namespace lumetra::geometry
