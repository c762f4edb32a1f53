#pragma once
#include "table/Controls.h"
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QListWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

// The table window: the table surface Pic1 (a scene in screen pixels) with
// its graphical controls, and the windowed controls stacked above it.
class MainForm : public QWidget {
    Q_OBJECT
public:
    MainForm();
    ~MainForm() override;

    QGraphicsScene scene;
    QGraphicsView* Pic1;

    // Windowed controls: the two-line ticker.
    std::array<QListWidget*, 2> Sysmsg{};

    // Graphical controls of the window design; arrays are completed by the table layout.
    LabelControl* Location;
    LabelControl* Label3;
    LabelControl* Number;
    LabelControl* Zhuang;
    ImageControl* Time_Img;
    ImageControl* Words;
    ImageControl* Jokro;
    ImageControl* Jokro_Image;
    ImageControl* ZhiNan;
    ImageControl* Host;
    std::vector<ImageControl*> Sai_Image;
    std::vector<ImageControl*> SZ_Image;
    std::vector<ImageControl*> Chi;
    std::vector<ImageControl*> Gang;
    std::vector<ImageControl*> Operation;
    std::vector<ImageControl*> AnNiu;
    std::vector<ImageControl*> MJ_Image;
    std::vector<ImageControl*> Speak;
    std::vector<ImageControl*> tsSpeak;
    std::vector<ImageControl*> imgKoupai;
    std::vector<ImageControl*> Tou;
    std::vector<ImageControl*> OK;
    std::vector<LabelControl*> Nid;
    std::vector<LabelControl*> Cash;
    std::vector<LabelControl*> Level;

    // Creates a hidden copy of a design control (element 0 of a control array).
    ImageControl* NewImage();
    LabelControl* NewLabel();

    // Event procedures of the window, set by the client.
    std::function<void()> OnResize;
    std::function<void()> OnUnload;

    bool IsMinimized() const { return windowState() & Qt::WindowMinimized; }
    void Minimize();
    void Restore();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
};
