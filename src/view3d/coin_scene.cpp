#include "view3d/coin_scene.h"

#include <QImage>

#include <Inventor/SbImage.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/SoPath.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodes/SoNode.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/VRMLnodes/SoVRMLImageTexture.h>

#include <algorithm>
#include <mutex>
#include <unordered_set>


namespace halvern {

namespace {

void collect(const SoError* error, void* data)
{
    static_cast<std::vector<std::string>*>(data)->push_back(error->getDebugString().getString());
}

// Coin's error handlers are global: one reading at a time collects its own messages.
std::mutex& reading_lock()
{
    static std::mutex lock;
    return lock;
}

// Pictures are read by Qt's image readers rather than simage's: simage refuses a JPEG without the
// JFIF or Exif marker (our own shipped pictures have none) and knows fewer formats. Coin wants the
// rows bottom first, as OpenGL does.
SbBool read_picture(const SbString& file, SbImage* image, void*)
{
    QImage picture(QString::fromUtf8(file.getString()));
    if (picture.isNull() || picture.width() > 32767 || picture.height() > 32767)
        return FALSE;
    const bool alpha = picture.hasAlphaChannel();
    picture = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888).mirrored(false, true);
    const int components = alpha ? 4 : 3;
    const int row = picture.width() * components;
    std::vector<unsigned char> bytes(size_t(row) * size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        std::copy_n(picture.constScanLine(y), row, bytes.begin() + std::ptrdiff_t(y) * row);
    image->setValue(SbVec2s(short(picture.width()), short(picture.height())), components, bytes.data());
    return TRUE;
}

} // namespace

void init_coin()
{
    static std::once_flag once;
    std::call_once(once, [] {
        SoDB::init();
        SbImage::addReadImageCB(read_picture, nullptr);
        // Pictures are read while the scene is read, so a scene that is shown is complete.
        SoVRMLImageTexture::setDelayFetchURL(false);
    });
}

CoinScene::~CoinScene()
{
    if (root_)
        root_->unref();
}

CoinScene::CoinScene(CoinScene&& other) noexcept
    : root_(other.root_), bounds_(other.bounds_), messages_(std::move(other.messages_))
{
    other.root_ = nullptr;
    other.bounds_ = Bounds{};
}

CoinScene& CoinScene::operator=(CoinScene&& other) noexcept
{
    if (this != &other) {
        if (root_)
            root_->unref();
        root_ = other.root_;
        other.root_ = nullptr;
        bounds_ = other.bounds_;
        other.bounds_ = Bounds{};
        messages_ = std::move(other.messages_);
    }
    return *this;
}

Bounds CoinScene::measure() const
{
    Bounds box;
    if (!root_)
        return box;
    // The viewport only matters for screen-sized parts, which our scenes do not have.
    SoGetBoundingBoxAction action(SbViewportRegion(640, 480));
    action.apply(root_);
    const SbBox3f found = action.getBoundingBox();
    if (found.isEmpty())
        return box;
    const SbVec3f& lo = found.getMin();
    const SbVec3f& hi = found.getMax();
    box.min = {lo[0], lo[1], lo[2]};
    box.max = {hi[0], hi[1], hi[2]};
    box.empty = false;
    return box;
}

int CoinScene::node_count() const
{
    if (!root_)
        return 0;
    SoSearchAction search;
    search.setType(SoNode::getClassTypeId(), TRUE);
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(TRUE);
    search.apply(root_);
    std::unordered_set<const SoNode*> seen;
    const SoPathList& paths = search.getPaths();
    for (int i = 0; i < paths.getLength(); ++i)
        seen.insert(paths[i]->getTail());
    return int(seen.size());
}

CoinScene read_coin_scene(const std::string& text)
{
    init_coin();
    CoinScene scene;
    std::lock_guard<std::mutex> hold(reading_lock());
    SoError::setHandlerCallback(collect, &scene.messages_);
    SoDebugError::setHandlerCallback(collect, &scene.messages_);
    SoReadError::setHandlerCallback(collect, &scene.messages_);
    SoInput input;
    input.setBuffer(text.data(), text.size());
    scene.root_ = SoDB::readAll(&input);
    if (scene.root_) {
        scene.root_->ref();
        scene.bounds_ = scene.measure();
    }
    else if (scene.messages_.empty())
        scene.messages_.push_back("the scene could not be read");
    SoError::setHandlerCallback(nullptr, nullptr);
    SoDebugError::setHandlerCallback(nullptr, nullptr);
    SoReadError::setHandlerCallback(nullptr, nullptr);
    return scene;
}

} // namespace halvern
