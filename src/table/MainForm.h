#pragma once
#include "table/CaptionControl.h"
#include "table/Controls.h"
#include "table/TableSurface.h"
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class BannerView;
class CameraDevice;
class CaptureControl;
class VideoView;

// The table window: the table surface Pic1 (a scene in screen pixels) with
// its graphical controls, and the windowed controls stacked above it.
class MainForm : public QWidget {
    Q_OBJECT
public:
    explicit MainForm(CameraDevice& camera);
    ~MainForm() override;

    QGraphicsScene scene;
    // Controls that lie on the window itself under Pic1, which covers them: never seen.
    QGraphicsScene underSurface;
    TableSurface* Pic1;
    // The small screen's table picture, never shown; its events are the table's twins.
    TableSurface* Pic2;

    // The frame of a screen larger than the table: whether the window paints
    // it around the table, its caption buttons (element 0 is seen; 1 to 3 hold the normal,
    // hover and pressed looks), icon, drag strip and title.
    bool SkinFramed = false;
    std::array<CaptionControl*, 4> ImgClose{};
    std::array<CaptionControl*, 4> ImgMin{};
    CaptionControl* ImgIcon;
    CaptionControl* LbMove;
    CaptionControl* lcaption;

    // Windowed controls: the two-line ticker, the chat input, the banner view.
    std::array<QListWidget*, 2> Sysmsg{};
    QLineEdit* Chat;
    BannerView* WebBrowser1;
    // Video: the command bars (0 own seat, k remote seat k) with their icons
    // ImCmd(4k .. 4k + 3), the remote views (1 to 3; element 0 is null) and the own camera.
    std::vector<QLabel*> PicLocal;
    std::vector<QLabel*> ImCmd;
    std::vector<VideoView*> vshow1;
    CaptureControl* vcap1;
    // The tool tip of the own bar's icons: hidden until one of them is hovered.
    QLineEdit* Tiplbl;

    // Graphical controls of the window design; arrays are completed by the table layout.
    LabelControl* Location;
    LabelControl* Label3;
    LabelControl* Number;
    LabelControl* Zhuang;
    LabelControl* Lbchat;
    // The picture under Lbchat.
    ImageControl* ChatStrip = nullptr;
    ImageControl* Time_Img;
    ImageControl* Words;
    ImageControl* Jokro;
    ImageControl* Jokro_Image;
    ImageControl* ZhiNan;
    ImageControl* Host;
    ImageControl* imgLocation;
    ImageControl* imgword1;
    ImageControl* imgword2;
    ImageControl* Bird;
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
    // Video frames and open-video icons of remote seats 1 to 3 (element 0 is null).
    std::vector<ImageControl*> ImgKuang;
    std::vector<ImageControl*> ImgShow;
    std::vector<LabelControl*> Nid;
    std::vector<LabelControl*> Cash;
    std::vector<LabelControl*> Level;

    // Creates a hidden control on the table surface.
    ImageControl* NewImage();
    LabelControl* NewLabel();
    // Creates a hidden copy of a design control in the design control's place.
    ImageControl* NewCopy(const ImageControl& design);
    LabelControl* NewCopy(const LabelControl& design);
    // Completes a control array up to `count` elements, each a hidden copy of element 0.
    template <typename Control>
    void LoadElements(std::vector<Control*>& array, size_t count) {
        while (array.size() < count) array.push_back(NewCopy(*array.front()));
    }
    // The design place of command icon i inside its bar.
    static QRectF ImCmdDesignPlace(int i);

    // Event procedures of the window, set by the client.
    std::function<void()> OnResize;
    std::function<void()> OnUnload;
    // The pointer moves over the bare window, where no control lies.
    std::function<void()> OnMouseMove;

    bool IsMinimized() const { return windowState() & Qt::WindowMinimized; }
    void Minimize();
    void Restore();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void CreateSurfaceControls();
    void CreateSeatControls();
    void CreateWindowedControls();
    void CreateVideoControls(CameraDevice& camera);
    void CreateFrameControls();
};
