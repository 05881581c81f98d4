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
#include <Inventor/VRMLnodes/SoVRMLAppearance.h>
#include <Inventor/VRMLnodes/SoVRMLImageTexture.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "view3d/picture_cache.h"


namespace halvern {

namespace {

void collect(const SoError* error, void* data)
{
    static_cast<std::vector<std::string>*>(data)->push_back(error->getDebugString().getString());
}

// Pictures are read by Qt's image readers rather than simage's: simage refuses a JPEG without the
// JFIF or Exif marker (older shipped pictures have none) and knows fewer formats. Coin wants the
// rows bottom first, as OpenGL does.
std::shared_ptr<const DecodedPicture> decode_picture(const std::filesystem::path& file)
{
    QImage picture(QString::fromStdString(file.string()));
    if (picture.isNull() || picture.width() > 32767 || picture.height() > 32767)
        return nullptr;
    const bool alpha = picture.hasAlphaChannel();
    picture = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888).mirrored(false, true);
    auto decoded = std::make_shared<DecodedPicture>();
    decoded->width = picture.width();
    decoded->height = picture.height();
    decoded->components = alpha ? 4 : 3;
    const int row = picture.width() * decoded->components;
    decoded->bytes.resize(size_t(row) * size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        std::copy_n(picture.constScanLine(y), row, decoded->bytes.begin() + std::ptrdiff_t(y) * row);
    return decoded;
}

SbBool read_picture(const SbString& file, SbImage* image, void*)
{
    const std::shared_ptr<const DecodedPicture> picture =
        scene_picture_cache().get(std::filesystem::path(file.getString()), decode_picture);
    if (!picture)
        return FALSE;
    image->setValue(SbVec2s(short(picture->width), short(picture->height)), picture->components,
                    picture->bytes.data());
    return TRUE;
}

// Faces dressed with the same picture share one texture node: one image in memory and one texture
// in OpenGL rather than one per face (thousands in a large design).
void share_textures(SoNode* root)
{
    SoSearchAction search;
    search.setType(SoVRMLShape::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.setSearchingAll(TRUE);
    search.apply(root);
    std::unordered_map<std::string, SoVRMLImageTexture*> first;
    const SoPathList& paths = search.getPaths();
    for (int i = 0; i < paths.getLength(); ++i) {
        auto* shape = static_cast<SoVRMLShape*>(paths[i]->getTail());
        SoNode* look = shape->appearance.getValue();
        if (!look || !look->isOfType(SoVRMLAppearance::getClassTypeId()))
            continue;
        auto* appearance = static_cast<SoVRMLAppearance*>(look);
        SoNode* node = appearance->texture.getValue();
        if (!node || !node->isOfType(SoVRMLImageTexture::getClassTypeId()))
            continue;
        auto* texture = static_cast<SoVRMLImageTexture*>(node);
        std::string key = std::to_string(texture->repeatS.getValue()) + std::to_string(texture->repeatT.getValue());
        for (int u = 0; u < texture->url.getNum(); ++u)
            key += '\n' + std::string(texture->url[u].getString());
        auto [kept, fresh] = first.emplace(std::move(key), texture);
        if (!fresh && kept->second != texture)
            appearance->texture.setValue(kept->second);
    }
}

} // namespace

void init_coin()
{
    static std::once_flag once;
    std::call_once(once, [] {
        init_coin_database();
        SbImage::addReadImageCB(read_picture, nullptr);
        // Pictures are read while the scene is read, so a scene that is shown is complete.
        SoVRMLImageTexture::setDelayFetchURL(false);
    });
}

CoinScene::~CoinScene()
{
    if (root_) {
        std::lock_guard<std::recursive_mutex> hold(coin_lock());
        root_->unref();
    }
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
        if (root_) {
            std::lock_guard<std::recursive_mutex> hold(coin_lock());
            root_->unref();
        }
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
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
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
    // Coin's error handlers are global, and Coin may not be used from two threads at once.
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
    SoError::setHandlerCallback(collect, &scene.messages_);
    SoDebugError::setHandlerCallback(collect, &scene.messages_);
    SoReadError::setHandlerCallback(collect, &scene.messages_);
    SoInput input;
    input.setBuffer(text.data(), text.size());
    scene.root_ = SoDB::readAll(&input);
    if (scene.root_) {
        scene.root_->ref();
        share_textures(scene.root_);
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
