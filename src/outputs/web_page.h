#pragma once
// The customer's page: one HTML file that shows the stand in 3D in any browser, offline, with the
// title block and, when asked, the quote beside it. Everything is inside the file: the stand as a
// binary glTF in base64, the viewer's scripts, our own few lines of page. Every text that comes
// from a design is escaped where it goes (HTML text, or JSON read by the page's script and shown
// with textContent), so that a name holding markup shows as the text it is.

#include <string>
#include <string_view>
#include <vector>

#include "outputs/plan_sheet.h"

namespace halvern {

// A placed thing the customer may click: what the page says of it.
struct WebPageObject {
    int number = 0;            // the plan's object number (glTF node extras "object")
    std::string component;     // the component's name
    std::string reference;     // the component's reference ("ref=")
    std::string text;          // the object's own text
};

// The words of the page in the user's language.
struct WebPageTexts {
    std::string lang = "en";   // the page's language code
    SheetTexts title_block;    // client, project and date, as the printed plan shows them
    std::string front, top, left, right, iso, fit;
    std::string quote_heading, reference, text, help, no_webgl;
};

struct WebPageScript {
    std::string name;   // where it came from, for the reader of the page's source
    std::string text;
};

struct WebPageContent {
    WebPageTexts texts;
    std::string glb;                          // the stand, a binary glTF
    std::vector<WebPageScript> viewer;        // the viewer's scripts, in the order they run
    std::string viewer_notice;                // the viewer's licence, put in a comment
    std::vector<WebPageObject> objects;
    std::vector<std::vector<std::string>> quote; // header row first; empty for no quote
};

// The page. A viewer script that could end its <script> element early is refused by
// `viewer_script_problem` before it gets here.
std::string web_page_html(const WebPageContent& content);

// Empty when the script can be put inside a <script> element as it is; else what is wrong.
std::string viewer_script_problem(std::string_view script);

// `&`, `<`, `>`, `"` and `'` as character references: safe in HTML text and in quoted attributes.
std::string html_escape(std::string_view text);

// A JSON string literal (with its quotes) that is also safe inside an HTML <script> element: `<`,
// `>`, `&`, U+2028 and U+2029 and every control character are \u escapes. Bytes that are not
// UTF-8 become U+FFFD.
std::string script_json_string(std::string_view text);

// Standard base64 with padding.
std::string base64(std::string_view bytes);

} // namespace halvern
