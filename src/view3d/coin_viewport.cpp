#include "view3d/coin_viewport.h"

#include <Inventor/SbColor.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>

#include "view3d/coin_scene.h"

namespace halvern {

namespace {

// The sky of the scene's own background, behind everything.
const SbColor sky(0.78f, 0.84f, 0.9f);

SbVec3f vec(Vec3 v) { return SbVec3f(float(v.x), float(v.y), float(v.z)); }

} // namespace

CoinViewport::CoinViewport()
{
    init_coin();
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
    root_ = new SoSeparator;
    root_->ref();
    camera_ = new SoPerspectiveCamera;
    headlight_ = new SoDirectionalLight;
    headlight_->intensity = 0.8f;
    content_ = new SoSeparator;
    root_->addChild(camera_);
    root_->addChild(headlight_);
    root_->addChild(content_);
    manager_ = new SoSceneManager;
    manager_->setSceneGraph(root_);
    manager_->setBackgroundColor(sky);
    // Each viewport draws in its own context: Coin's display lists must not be shared between them.
    manager_->getGLRenderAction()->setCacheContext(SoGLCacheContextElement::getUniqueCacheContext());
    manager_->getGLRenderAction()->setTransparencyType(SoGLRenderAction::SORTED_OBJECT_BLEND);
}

CoinViewport::~CoinViewport()
{
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
    delete manager_;
    root_->unref();
}

void CoinViewport::set_scene(const CoinScene& scene)
{
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
    if (content_->getNumChildren() == (scene.root() ? 1 : 0) &&
        (!scene.root() || content_->getChild(0) == scene.root()))
        return; // the same scene: Coin keeps its caches
    content_->removeAllChildren();
    if (scene.root())
        content_->addChild(scene.root());
}

void CoinViewport::set_camera(const CameraPose& pose)
{
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
    camera_->position = vec(pose.position);
    camera_->orientation = SbRotation(float(pose.rotation[0]), float(pose.rotation[1]), float(pose.rotation[2]),
                                      float(pose.rotation[3]));
    camera_->nearDistance = float(pose.near);
    camera_->farDistance = float(pose.far);
    camera_->heightAngle = float(pose.height_angle);
    camera_->viewportMapping = SoCamera::ADJUST_CAMERA;
    headlight_->direction = vec(pose.view);
}

void CoinViewport::render(int width, int height)
{
    std::lock_guard<std::recursive_mutex> hold(coin_lock());
    const SbViewportRegion region{short(width), short(height)};
    manager_->setViewportRegion(region);
    manager_->render(TRUE, TRUE);
}

} // namespace halvern
