#include "table/MainForm.h"
#include "table/DesignPictures.h"
#include "table/PictureLabel.h"
#include "table/WidgetPlace.h"
#include "table/pictures/FramePictures.h"
#include "platform/CaptureControl.h"
#include "platform/VideoView.h"
#include "table/BannerView.h"
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
// The design's SimSun and the window's default font alike.
QFont DesignFont(double points, bool bold = false) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

const QColor kSeatLabelColor(128, 255, 255);

struct ImageDesign {
    QRectF place;
    bool stretch = false;
    LazyPicture picture = {};
    bool visible = false;
};

// A picture that does not stretch gives the control its own size, as it does at run time.
ImageControl* Design(ImageControl* image, const ImageDesign& design) {
    image->SetStretch(design.stretch);
    image->Move(design.place.left(), design.place.top(), design.place.width(), design.place.height());
    image->SetPicture(design.picture);
    image->setVisible(design.visible);
    return image;
}

struct LabelDesign {
    QRectF place;
    QColor color;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    QString caption = {};
    bool visible = true;
};

LabelControl* Design(LabelControl* label, const LabelDesign& design) {
    label->Move(design.place.left(), design.place.top(), design.place.width(), design.place.height());
    label->SetForeColor(design.color);
    label->SetFont(design.font);
    label->SetAlignment(design.alignment | Qt::AlignTop);
    label->SetCaption(design.caption);
    label->setVisible(design.visible);
    return label;
}

void CopyCursorAndTip(const QGraphicsItem& design, QGraphicsItem& copy) {
    if (design.hasCursor()) copy.setCursor(design.cursor());
    copy.setToolTip(design.toolTip());
}
}  // namespace

MainForm::MainForm(CameraDevice& camera) : Pic1(new TableSurface(&scene, this)), Pic2(new TableSurface(nullptr, this)) {
    // No system border or title bar: a large screen gets the window's own frame.
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowIcon(WindowIconPicture());
    setMouseTracking(true);
    resize(1024, 768);
    setWindowTitle(QStringLiteral("Dravik麻将"));
    setFont(DesignFont(9));
    Pic1->SetPicture(LazyDesignPicture(DesignPictureId::Table));
    CreateSurfaceControls();
    CreateSeatControls();
    CreateVideoControls(camera);
    CreateWindowedControls();
    CreateFrameControls();
}

MainForm::~MainForm() = default;

// Created in their stacking order, the lowest first.
void MainForm::CreateSurfaceControls() {
    using Id = DesignPictureId;
    Jokro = Design(NewImage(), {{870, 110, 100, 105}, true, LazyDesignPicture(Id::HandInfoBoard)});
    Jokro_Image = Design(NewImage(), {{890, 169, 36, 56}, true, LazyDesignPicture(Id::TileTemplate)});
    Label3 = Design(NewLabel(), {{904, 190, 13, 19}, QColor(255, 255, 0), DesignFont(14.25, true), Qt::AlignHCenter});
    ZhiNan = Design(NewImage(), {{16, 115, 81, 79}, true, LazyDesignPicture(Id::Compass)});
    Host = Design(NewImage(), {{16, 200, 71, 25}, false, LazyDesignPicture(Id::DealerPlate)});
    Zhuang = Design(NewLabel(), {{56, 200, 25, 25}, QColor(192, 192, 0), DesignFont(18, true), Qt::AlignLeft,
                                 QStringLiteral("东"), false});
    Time_Img = Design(NewImage(), {{205, 235, 81, 38}, true, LazyDesignPicture(Id::CountdownPlate)});
    Number = Design(NewLabel(), {{250, 240, 24, 24}, QColor(0, 255, 0), DesignFont(18), Qt::AlignHCenter,
                                 QStringLiteral("9"), false});
    for (double left : {48, 96})
        Sai_Image.push_back(Design(NewImage(), {{left, 272, 20, 20}, false, LazyDesignPicture(Id::DieFace)}));

    auto* holder = new ImageControl;
    underSurface.addItem(holder);
    SZ_Image.push_back(Design(holder, {{16, 48, 30, 30}, true, LazyDesignPicture(Id::DiceHolder), true}));

    MJ_Image.push_back(Design(NewImage(), {{136, 120, 41, 57}, true, LazyDesignPicture(Id::TileTemplate)}));
    Words = Design(NewImage(), {{360, 56, 49, 49}, true, {}, true});
    for (double left : {392, 480, 568})
        Speak.push_back(Design(NewImage(), {{left, 136, 81, 81}, true, LazyDesignPicture(Id::AnnounceBubble)}));
    for (const QRectF& place : {QRectF(92, 526, 85, 85), QRectF(190, 526, 81, 85), QRectF(280, 525, 83, 85)})
        tsSpeak.push_back(Design(NewImage(), {place, true}));
    for (const QPointF& at : {QPointF(504, 256), QPointF(528, 256), QPointF(504, 280), QPointF(528, 280),
                              QPointF(504, 304), QPointF(528, 304)})
        Chi.push_back(Design(NewImage(), {{at, QSizeF(25, 25)}, true}));
    for (double top : {328, 304, 280, 256, 232})
        Gang.push_back(Design(NewImage(), {{600, top, 33, 25}, true}));
    for (double left : {394, 518}) {
        imgKoupai.push_back(Design(NewImage(), {{left, 500, 87, 31}}));
        imgKoupai.back()->setCursor(Qt::PointingHandCursor);
    }
    Operation.push_back(Design(NewImage(), {{358, 461, 50, 71}}));
    Operation[0]->setEnabled(false);
    OK.push_back(Design(NewImage(), {{460, 610, 45, 61}, true, LazyDesignPicture(Id::ReadyMark)}));
    AnNiu.push_back(Design(NewImage(), {{573, 730, 50, 30}, false, {}, true}));
    AnNiu[0]->setCursor(Qt::PointingHandCursor);
    Lbchat = Design(NewLabel(), {{594, 694, 25, 33}, Qt::white, DesignFont(9)});
    Bird = Design(NewImage(), {{936, 680, 82, 80}, true, LazyDesignPicture(Id::BannerFrame)});
}

void MainForm::CreateSeatControls() {
    Tou.push_back(Design(NewImage(), {{10, 666, 85, 90}, true, {}, true}));
    Nid.push_back(Design(NewLabel(), {{181, 700, 161, 25}, kSeatLabelColor, DesignFont(9)}));
    Cash.push_back(Design(NewLabel(), {{181, 724, 161, 17}, kSeatLabelColor, DesignFont(9)}));
    Level.push_back(Design(NewLabel(), {{181, 744, 161, 17}, kSeatLabelColor, DesignFont(10.5)}));
    imgLocation = Design(NewImage(), {{632, 654, 394, 39}, true, LazyDesignPicture(DesignPictureId::LocationPanel), true});
    Location = Design(NewLabel(), {{760, 668, 161, 25}, QColor(0, 255, 0), DesignFont(12)});
    for (ImageControl** word : {&imgword1, &imgword2}) {
        *word = Design(NewImage(), {{640, word == &imgword1 ? 659.0 : 675.0, 57, 13}, false, {}, true});
        (*word)->setCursor(Qt::PointingHandCursor);
    }
}

void MainForm::CreateVideoControls(CameraDevice& camera) {
    using Id = DesignPictureId;
    ImgKuang.push_back(nullptr);
    ImgShow.push_back(nullptr);
    for (double left : {0, 342, 685})
        ImgKuang.push_back(Design(NewImage(), {{left, 3, 126, 105}, true, LazyDesignPicture(Id::VideoFrame)}));
    for (double left : {32, 380, 720}) {
        ImgShow.push_back(Design(NewImage(), {{left, 80, 16, 14}, true, LazyDesignPicture(Id::OpenVideoIcon)}));
        ImgShow.back()->setToolTip(QStringLiteral("打开视频"));
    }

    const QRect bars[] = {{9, 742, 87, 17}, {126, 88, 145, 17}, {468, 88, 145, 17}, {811, 88, 145, 17}};
    for (const QRect& place : bars) {
        auto* bar = new PictureLabel(LazyDesignPicture(PicLocal.empty() ? Id::OwnVideoCommandBar : Id::VideoCommandBar), Pic1);
        bar->setGeometry(place);
        bar->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        bar->hide();
        PicLocal.push_back(bar);
    }
    const QString remoteTips[] = {QStringLiteral("屏蔽"), QStringLiteral("放大"), QStringLiteral("照相"),
                                  QStringLiteral("加为好友")};
    for (int i = 0; i < 16; ++i) {
        const int seat = i / 4, slot = i % 4;
        auto* icon = new QLabel(PicLocal[seat]);
        PlaceWidget(*icon, ImCmdDesignPlace(i));
        if (seat > 0) icon->setToolTip(remoteTips[slot]);
        ImCmd.push_back(icon);
    }
    ImCmd[0]->setCursor(Qt::PointingHandCursor);

    vshow1.push_back(nullptr);
    for (int k = 1; k <= 3; ++k) {
        auto* view = new VideoView(Pic1);
        view->hide();
        vshow1.push_back(view);
    }
    vcap1 = new CaptureControl(camera, Pic1);
    vcap1->hide();

    Tiplbl = new QLineEdit(Pic1);
    Tiplbl->setReadOnly(true);
    Tiplbl->setFocusPolicy(Qt::NoFocus);
    Tiplbl->setFont(DesignFont(9));
    Tiplbl->setGeometry(0, 0, 28, 18);
    QPalette colours = Tiplbl->palette();
    colours.setColor(QPalette::Base, QColor(255, 255, 225));
    colours.setColor(QPalette::Text, Qt::black);
    Tiplbl->setPalette(colours);
    Tiplbl->hide();
}

void MainForm::CreateWindowedControls() {
    for (auto*& line : Sysmsg) {
        line = new QListWidget(Pic1);
        line->setFrameShape(QFrame::NoFrame);
        line->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        line->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        line->setFont(DesignFont(9));
        // Transparent over the table, in pale yellow; a palette, as a style sheet
        // brings Qt's whole style-sheet machinery into the process for two colours.
        QPalette colours = line->palette();
        colours.setColor(QPalette::Base, Qt::transparent);
        colours.setColor(QPalette::Text, QColor(0xff, 0xff, 0x80));
        line->setPalette(colours);
        line->hide();
    }
    Chat = new QLineEdit(Pic1);
    Chat->setGeometry(318, 729, 244, 18);
    Chat->setFont(DesignFont(9));
    Chat->hide();
    WebBrowser1 = new BannerView(Pic1);
    WebBrowser1->setGeometry(938, 682, 82, 80);
    WebBrowser1->hide();
}

// Hidden until the frame is painted: on a screen the table fills they lie
// under the table surface.
void MainForm::CreateFrameControls() {
    Pic2->SetPicture(LazyDesignPicture(DesignPictureId::SmallTable));
    Pic2->setGeometry(0, 0, 800, 600);
    Pic2->hide();

    const auto newControl = [this](QSize size) {
        auto* control = new CaptionControl(this);
        control->resize(size);
        control->hide();
        return control;
    };
    ImgIcon = newControl({16, 16});
    ImgIcon->setScaledContents(true);
    lcaption = newControl({120, 16});
    lcaption->setText(QStringLiteral("Dravik麻将"));
    lcaption->setFont(DesignFont(9, true));
    LbMove = newControl({16, 16});
    const auto newButton = [&](std::array<CaptionControl*, 4>& elements, CaptionButton kind, const QString& tip) {
        for (int k = 0; k <= 3; ++k) elements[k] = newControl(CaptionButtonSize);
        for (int k = 1; k <= 3; ++k) elements[k]->setPixmap(CaptionButtonPicture(kind, CaptionLook(k)));
        elements[0]->setCursor(Qt::PointingHandCursor);
        elements[0]->setToolTip(tip);
    };
    newButton(ImgClose, CaptionButton::Close, QStringLiteral("关闭"));
    newButton(ImgMin, CaptionButton::Minimise, QStringLiteral("最小化"));
}

QRectF MainForm::ImCmdDesignPlace(int i) {
    static constexpr double ownIconLefts[] = {3.33, 24, 45.33, 64};
    static constexpr double remoteIconLefts[] = {8, 40, 72, 104};
    return QRectF(i < 4 ? ownIconLefts[i] : remoteIconLefts[i % 4], 0, 16, 14);
}

ImageControl* MainForm::NewImage() {
    auto* image = new ImageControl;
    image->setVisible(false);
    scene.addItem(image);
    return image;
}

LabelControl* MainForm::NewLabel() {
    auto* label = new LabelControl;
    label->setVisible(false);
    scene.addItem(label);
    return label;
}

ImageControl* MainForm::NewCopy(const ImageControl& design) {
    auto* copy = new ImageControl;
    copy->setVisible(false);
    copy->SetStretch(design.Stretch());
    copy->SetPicture(design.GivenPicture());
    copy->Move(design.Left(), design.Top(), design.Width(), design.Height());
    CopyCursorAndTip(design, *copy);
    if (QGraphicsScene* surface = design.scene()) surface->addItem(copy);
    return copy;
}

LabelControl* MainForm::NewCopy(const LabelControl& design) {
    auto* copy = new LabelControl;
    copy->setVisible(false);
    copy->Move(design.Left(), design.Top(), design.Width(), design.Height());
    copy->SetFont(design.Font());
    copy->SetForeColor(design.ForeColor());
    copy->SetAlignment(design.Alignment());
    CopyCursorAndTip(design, *copy);
    if (QGraphicsScene* surface = design.scene()) surface->addItem(copy);
    return copy;
}

void MainForm::Minimize() { setWindowState(windowState() | Qt::WindowMinimized); }

void MainForm::Restore() { setWindowState(windowState() & ~Qt::WindowMinimized); }

void MainForm::closeEvent(QCloseEvent* event) {
    if (OnUnload) OnUnload();
    event->accept();
}

void MainForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!SkinFramed) return;
    // Only the pieces in the region to paint reach the window's buffer.
    QPainter painter(this);
    PaintFramePieces(painter, size());
}

void MainForm::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    // Moves over a control that lets them pass reach the window too.
    if (OnMouseMove && !childAt(event->position().toPoint())) OnMouseMove();
}

void MainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && OnResize) OnResize();
}
