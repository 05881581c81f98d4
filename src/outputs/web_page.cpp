#include "outputs/web_page.h"

#include <cstdio>

#include "base/strings.h"
#include "base/utf8.h"

namespace halvern {

namespace {

// The page's look: the stand fills the window under the title block, the quote (when there is one)
// takes a column on the right; on a narrow screen the quote follows the stand. The stand's box has
// fixed edges so that the view is the same size in every browser. Printed, the view and the quote
// share an A4 page.
constexpr std::string_view page_style = R"(
*{box-sizing:border-box}
html,body{margin:0;padding:0;font-family:"DejaVu Sans","Liberation Sans",Arial,sans-serif;color:#222;background:#fff}
#title-block{position:fixed;top:0;left:0;right:0;height:72px;padding:8px 16px;border-bottom:1px solid #bbb;overflow:hidden}
#title-block h1{margin:0;font-size:22px;line-height:30px;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
#title-block p{margin:2px 0 0;font-size:14px;line-height:22px;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
.label{color:#666}
#stand{position:fixed;top:72px;left:0;right:0;bottom:0;background:#f4f4f4}
body.with-quote #stand{right:480px}
#view,#view canvas{display:block;width:100%;height:100%;touch-action:none}
#views{position:absolute;top:8px;left:8px;display:flex;flex-wrap:wrap;gap:4px}
#views button{font:inherit;font-size:13px;padding:4px 10px;border:1px solid #999;border-radius:4px;background:#fff;cursor:pointer}
#help{position:absolute;left:8px;bottom:4px;margin:0;font-size:12px;color:#555}
#picked{position:absolute;top:48px;left:8px;max-width:60%;padding:6px 10px;background:rgba(255,255,255,.92);border:1px solid #999;border-radius:4px;font-size:14px}
#picked span{display:block}
#status{position:absolute;top:50%;left:0;right:0;text-align:center;margin:0;font-size:16px}
#quote{position:fixed;top:72px;right:0;bottom:0;width:480px;overflow:auto;padding:8px 12px;border-left:1px solid #bbb}
#quote h2{margin:4px 0 8px;font-size:18px}
#quote table{border-collapse:collapse;width:100%;font-size:12px}
#quote th,#quote td{border-bottom:1px solid #ddd;padding:3px 4px;text-align:left;vertical-align:top}
#quote td.n{text-align:right;white-space:nowrap}
#quote tr.total td{font-weight:bold}
@media (max-width:800px){
 #title-block,#stand,#quote{position:static}
 #title-block{height:auto}
 #stand{height:70vh}
 body.with-quote #stand{right:0}
 #quote{width:auto;border-left:0}
}
@media print{
 @page{size:A4;margin:12mm}
 #title-block,#stand,#quote{position:static;border:0}
 #title-block{height:auto;padding:0 0 4mm}
 #stand{height:120mm;background:#fff}
 body.with-quote #stand{right:0}
 #views,#help,#picked,#status{display:none}
 #quote{width:auto;overflow:visible;padding:4mm 0 0}
 #quote tr{break-inside:avoid}
}
)";

// Our part of the page: the stand drawn from the inlined glTF, the standard views, and what an
// object is when it is clicked or tapped. Texts from the design reach the page only through
// textContent.
constexpr std::string_view page_script = R"(
(function () {
  'use strict';
  var data = JSON.parse(document.getElementById('page-data').textContent);
  var status = document.getElementById('status');
  var view = document.getElementById('view');
  function fail(message) {
    status.textContent = message;
    document.body.setAttribute('data-ready', 'failed');
  }
  var renderer;
  try {
    renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
    if (!renderer.getContext()) throw new Error('no WebGL');
  } catch (e) {
    fail(data.texts.no_webgl);
    return;
  }
  if ('outputEncoding' in renderer) renderer.outputEncoding = THREE.sRGBEncoding; else renderer.gammaOutput = true;
  renderer.setPixelRatio(window.devicePixelRatio || 1);
  renderer.setClearColor(0xf4f4f4, 1);
  view.appendChild(renderer.domElement);

  var scene = new THREE.Scene();
  var camera = new THREE.PerspectiveCamera(35, 1, 0.01, 1000);
  // Half from everywhere, half from the eye: a face turned to the viewer shows its picture's own
  // colours, whichever way the stand is turned.
  scene.add(new THREE.AmbientLight(0xffffff, 0.5));
  var headlight = new THREE.DirectionalLight(0xffffff, 0.5);
  scene.add(headlight);
  scene.add(headlight.target);
  var controls = new THREE.OrbitControls(camera, renderer.domElement);
  controls.screenSpacePanning = true;
  var box = new THREE.Box3(new THREE.Vector3(-1, 0, -1), new THREE.Vector3(1, 2, 1));
  var stand = null;
  // The standard view shown until the viewer moves the stand: a window or a phone that changes its
  // size fits it again.
  var fitted = null, fitting = false;

  function draw() {
    headlight.position.copy(camera.position);
    headlight.target.position.copy(controls.target);
    renderer.render(scene, camera);
  }
  controls.addEventListener('change', function () {
    if (!fitting) fitted = null;
    draw();
  });

  function resize() {
    var w = Math.max(view.clientWidth, 1), h = Math.max(view.clientHeight, 1);
    renderer.setSize(w, h, false);
    camera.aspect = w / h;
    camera.updateProjectionMatrix();
    if (fitted) show(fitted); else draw();
  }
  window.addEventListener('resize', resize);

  // Scene axes: y up, the stand's front towards +z, its right towards +x. The top view keeps y as
  // the camera's up a hair off the vertical, so that the front is at the bottom of the picture.
  var directions = { front: [0, 0, 1], top: [0, 1, 1e-4], left: [-1, 0, 0], right: [1, 0, 0], iso: [1, 1, 1] };
  // Every corner of the stand's box shows, the nearest ones too, with a small margin all round.
  function show(name) {
    var centre = box.getCenter(new THREE.Vector3());
    var towards = directions[name]
      ? new THREE.Vector3().fromArray(directions[name]).normalize()
      : camera.position.clone().sub(controls.target).normalize();
    var right = new THREE.Vector3(0, 1, 0).cross(towards).normalize();
    var up = towards.clone().cross(right).normalize();
    var tan_height = Math.tan(camera.fov * Math.PI / 360);
    var tan_width = tan_height * camera.aspect;
    var distance = 0.1;
    for (var k = 0; k < 8; ++k) {
      var corner = new THREE.Vector3(k & 1 ? box.max.x : box.min.x, k & 2 ? box.max.y : box.min.y,
                                     k & 4 ? box.max.z : box.min.z).sub(centre);
      distance = Math.max(distance, corner.dot(towards) + Math.max(Math.abs(corner.dot(right)) / tan_width,
                                                                   Math.abs(corner.dot(up)) / tan_height));
    }
    distance *= 1.05;
    var radius = box.getSize(new THREE.Vector3()).length() / 2;
    camera.position.copy(centre).addScaledVector(towards, distance);
    camera.near = Math.max(distance - radius, distance / 100) / 2;
    camera.far = distance + 2 * radius;
    camera.updateProjectionMatrix();
    controls.target.copy(centre);
    camera.lookAt(centre);
    fitting = true;
    controls.update();
    fitting = false;
    fitted = directions[name] ? name : null;
    draw();
  }
  var buttons = document.querySelectorAll('#views button');
  for (var b = 0; b < buttons.length; ++b)
    buttons[b].addEventListener('click', function (event) { show(event.currentTarget.getAttribute('data-view')); });

  var objects = {};
  data.objects.forEach(function (o) { objects[o.number] = o; });
  var picked = document.getElementById('picked');
  var raycaster = new THREE.Raycaster();
  function pick(x, y) {
    if (!stand) return;
    var rect = renderer.domElement.getBoundingClientRect();
    var at = new THREE.Vector2((x - rect.left) / rect.width * 2 - 1, -(y - rect.top) / rect.height * 2 + 1);
    raycaster.setFromCamera(at, camera);
    var hits = raycaster.intersectObject(stand, true);
    var found = null;
    for (var node = hits.length ? hits[0].object : null; node && !found; node = node.parent)
      if (node.userData && objects[node.userData.object]) found = objects[node.userData.object];
    picked.hidden = !found;
    if (!found) return;
    document.getElementById('picked-component').textContent = found.number + ' ' + found.component;
    document.getElementById('picked-reference').textContent = found.reference ? data.texts.reference + ' ' + found.reference : '';
    document.getElementById('picked-text').textContent = found.text ? data.texts.text + ' ' + found.text : '';
  }
  // A click or a tap picks; a drag turns the view and picks nothing.
  var down = null;
  function start(x, y) { down = { x: x, y: y }; }
  function end(x, y) {
    if (down && Math.abs(x - down.x) + Math.abs(y - down.y) < 6) pick(x, y);
    down = null;
  }
  renderer.domElement.addEventListener('mousedown', function (e) { if (e.button === 0) start(e.clientX, e.clientY); });
  renderer.domElement.addEventListener('mouseup', function (e) { if (e.button === 0) end(e.clientX, e.clientY); });
  renderer.domElement.addEventListener('touchstart', function (e) {
    if (e.touches.length === 1) start(e.touches[0].clientX, e.touches[0].clientY); else down = null;
  });
  renderer.domElement.addEventListener('touchend', function (e) {
    if (e.changedTouches.length === 1) end(e.changedTouches[0].clientX, e.changedTouches[0].clientY);
  });

  var text = document.getElementById('stand-glb').textContent.replace(/\s+/g, '');
  var binary;
  try {
    binary = atob(text);
  } catch (e) {
    fail(String(e));
    return;
  }
  var bytes = new Uint8Array(binary.length);
  for (var i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  new THREE.GLTFLoader().parse(bytes.buffer, '', function (gltf) {
    stand = gltf.scene;
    scene.add(stand);
    box.setFromObject(stand);
    if (box.isEmpty()) box.set(new THREE.Vector3(-1, 0, -1), new THREE.Vector3(1, 2, 1));
    resize();
    // A link may name the view the page opens with: "stand.html#top".
    var asked = window.location.hash.substring(1);
    show(directions[asked] ? asked : 'iso');
    // The mark a printer or a test waits for: the stand is drawn once the next frame is shown.
    window.requestAnimationFrame(function () {
      draw();
      document.body.setAttribute('data-ready', 'yes');
    });
  }, function (error) {
    fail(String(error && error.message ? error.message : error));
  });
  resize();
})();
)";

// Text inside a /* */ comment of a script: nothing in it may close the comment or the element.
std::string comment_text(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/')
            out += ' ';
        if (text[i] == '<')
            out += ' ';
    }
    return out;
}

void script_element(std::string& out, std::string_view heading, std::string_view text)
{
    out += "<script>";
    if (!heading.empty())
        out += "/* " + comment_text(heading) + " */\n";
    out += text;
    out += "\n</script>\n";
}

bool numeric_cell(const std::string& cell)
{
    return !cell.empty() && cell.find_first_not_of("0123456789.-") == std::string::npos;
}

void quote_table(std::string& out, const WebPageContent& content)
{
    out += "<aside id=\"quote\"><h2>" + html_escape(content.texts.quote_heading) + "</h2>\n<table>\n";
    const auto& rows = content.quote;
    for (size_t r = 0; r < rows.size(); ++r) {
        const bool header = r == 0;
        // The totals are the rows without a component number, after the header.
        const bool total = !header && rows[r].size() > 1 && rows[r][1].empty();
        out += total ? "<tr class=\"total\">" : "<tr>";
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const std::string& cell = rows[r][c];
            // A section is named on its first row only: the table reads as the list it is.
            const bool repeated = c == 0 && r > 1 && !total && !rows[r - 1].empty() && rows[r - 1][0] == cell;
            if (header)
                out += "<th>" + html_escape(cell) + "</th>";
            else
                out += std::string(numeric_cell(cell) ? "<td class=\"n\">" : "<td>")
                       + (repeated ? std::string() : html_escape(cell)) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table></aside>\n";
}

} // namespace

std::string html_escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string script_json_string(std::string_view text)
{
    std::string out = "\"";
    const auto escape = [&out](unsigned code) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", code);
        out += buf;
    };
    for (size_t i = 0; i < text.size();) {
        const size_t at = i;
        const std::optional<char32_t> c = next_code_point(text, i);
        if (!c) {
            escape(0xFFFD);
            continue;
        }
        switch (*c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '<': case '>': case '&': case '\'': case 0x2028: case 0x2029: escape(unsigned(*c)); break;
        default:
            if (*c < 0x20 || *c == 0x7F)
                escape(unsigned(*c));
            else
                out.append(text.substr(at, i - at));
        }
    }
    return out + "\"";
}

std::string base64(std::string_view bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned v = unsigned(static_cast<unsigned char>(bytes[i])) << 16
                           | unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8
                           | unsigned(static_cast<unsigned char>(bytes[i + 2]));
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += digits[(v >> 6) & 63];
        out += digits[v & 63];
    }
    if (const size_t rest = bytes.size() - i) {
        unsigned v = unsigned(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2)
            v |= unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += rest == 2 ? digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string viewer_script_problem(std::string_view script)
{
    const std::string lower = to_lower_ascii(std::string(script));
    for (std::string_view bad : {"</script", "<!--", "<script"})
        if (lower.find(bad) != std::string::npos)
            return "it holds \"" + std::string(bad) + "\", which would end the page's script early";
    return {};
}

std::string web_page_html(const WebPageContent& content)
{
    const WebPageTexts& t = content.texts;
    const SheetTexts& block = t.title_block;
    const bool with_quote = !content.quote.empty();
    std::string title = block.project;
    if (!block.client.empty())
        title += (title.empty() ? "" : " - ") + block.client;
    if (title.empty())
        title = block.program;

    std::string out;
    out.reserve(content.glb.size() * 4 / 3 + 64 * 1024);
    for (const WebPageScript& s : content.viewer)
        out.reserve(out.capacity() + s.text.size());
    out += "<!DOCTYPE html>\n<html lang=\"" + html_escape(t.lang) + "\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<meta name=\"generator\" content=\"" + html_escape(block.program) + "\">\n"
           "<title>" + html_escape(title) + "</title>\n<style>" + std::string(page_style) + "</style>\n</head>\n";
    out += with_quote ? "<body class=\"with-quote\">\n" : "<body>\n";

    out += "<header id=\"title-block\"><h1 id=\"project\">" + html_escape(block.project) + "</h1>\n<p>";
    out += "<span class=\"label\">" + html_escape(block.client_label) + "</span> <span id=\"client\">"
           + html_escape(block.client) + "</span> &#183; <span class=\"label\">" + html_escape(block.date_label)
           + "</span> <span id=\"date\">" + html_escape(block.date) + "</span> &#183; <span class=\"label\">"
           + html_escape(block.program) + "</span></p></header>\n";

    out += "<section id=\"stand\"><div id=\"view\"></div>\n<nav id=\"views\">";
    const std::pair<const char*, const std::string*> views[] = {
        {"front", &t.front}, {"top", &t.top}, {"left", &t.left}, {"right", &t.right}, {"iso", &t.iso}, {"fit", &t.fit}};
    for (const auto& [name, label] : views)
        out += std::string("<button type=\"button\" data-view=\"") + name + "\">" + html_escape(*label) + "</button>";
    out += "</nav>\n<div id=\"picked\" hidden><span id=\"picked-component\"></span><span id=\"picked-reference\"></span>"
           "<span id=\"picked-text\"></span></div>\n<p id=\"help\">" + html_escape(t.help)
           + "</p>\n<p id=\"status\" role=\"status\"></p></section>\n";
    if (with_quote)
        quote_table(out, content);

    out += "<script type=\"application/json\" id=\"page-data\">{\"texts\":{\"reference\":" + script_json_string(t.reference)
           + ",\"text\":" + script_json_string(t.text) + ",\"no_webgl\":" + script_json_string(t.no_webgl)
           + "},\"objects\":[";
    for (size_t k = 0; k < content.objects.size(); ++k) {
        const WebPageObject& o = content.objects[k];
        out += (k ? ",\n{\"number\":" : "\n{\"number\":") + std::to_string(o.number)
               + ",\"component\":" + script_json_string(o.component)
               + ",\"reference\":" + script_json_string(o.reference) + ",\"text\":" + script_json_string(o.text) + "}";
    }
    out += "]}</script>\n";
    out += "<script type=\"application/octet-stream\" id=\"stand-glb\">";
    out += base64(content.glb);
    out += "</script>\n";
    for (size_t k = 0; k < content.viewer.size(); ++k)
        script_element(out, k == 0 ? content.viewer_notice + "\n" + content.viewer[k].name : content.viewer[k].name,
                       content.viewer[k].text);
    script_element(out, {}, page_script);
    out += "</body>\n</html>\n";
    return out;
}

} // namespace halvern
