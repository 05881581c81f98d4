// The customer's page as text: every design text escaped where it goes, the quote's rows in the
// table, the viewer's scripts inlined whole, the stand's bytes in base64.

#include <gtest/gtest.h>

#include "outputs/web_page.h"

using namespace halvern;

namespace {

size_t count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(WebPageText, EscapesForHtmlForTheScriptAndBase64)
{
    EXPECT_EQ(html_escape("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&#39;");
    const struct {
        std::string in, out;
    } json[] = {
        {"</script><img src=x onerror=alert(1)>", "\"\\u003c/script\\u003e\\u003cimg src=x onerror=alert(1)\\u003e\""},
        {"a&b \"q\" \\", "\"a\\u0026b \\\"q\\\" \\\\\""},
        {"line\nbreak\ttab\x01", "\"line\\nbreak\\ttab\\u0001\""},
        {"\xE2\x80\xA8\xE2\x80\xA9", "\"\\u2028\\u2029\""},  // a line end to JavaScript before 2019
        {"caf\xC3\xA9 \xE2\x82\xAC", "\"caf\xC3\xA9 \xE2\x82\xAC\""}, // other UTF-8 passes as it is
        {"bad\xFF", "\"bad\\ufffd\""},
    };
    for (const auto& [in, out] : json)
        EXPECT_EQ(script_json_string(in), out) << in;

    const struct {
        std::string in, out;
    } b64[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
               {std::string("\0\xFF\xFE", 3), "AP/+"}};
    for (const auto& [in, out] : b64)
        EXPECT_EQ(base64(in), out);

    EXPECT_EQ(viewer_script_problem("var a = 1 < 2;"), "");
    EXPECT_NE(viewer_script_problem("s = '</SCRIPT>'"), "");
    EXPECT_NE(viewer_script_problem("<!-- old"), "");
}

TEST(WebPageText, HostileDesignTextsNeverBecomeMarkupAndTheQuoteIsTheTable)
{
    const std::string hostile = "</script><img src=x onerror=alert(1)>\"'&";
    WebPageContent content;
    content.texts.title_block.project = hostile;
    content.texts.title_block.client = hostile;
    content.texts.title_block.date = "2026-12-08";
    content.texts.title_block.program = "Halvern Visual Design";
    content.texts.front = "Front";
    content.glb = "glTF\x02";
    content.viewer = {{"three.min.js", "var THREE = {};"}, {"GLTFLoader.js", "/* loader */"}};
    content.viewer_notice = "Copyright: the authors */ </script> end";
    content.objects = {{7, hostile, hostile, hostile}};
    content.quote = {{"Section", "No.", "Component", "Quantity", "Unit price", "Total price", "Weight (kg)"},
                     {"Wall system", "3", hostile, "2", "42", "84", "0.6"},
                     {"Wall system", "5", "Post", "1", "3", "3", "0.1"},
                     {"Wall system", "", "Total", "", "", "87", "0.7"}};
    const std::string page = web_page_html(content);

    EXPECT_EQ(count(page, "<img"), 0u);
    // Our own script elements alone end: the two of the viewer, ours, and the two of data.
    EXPECT_EQ(count(page, "</script>"), 5u);
    EXPECT_EQ(count(page, "&lt;/script&gt;&lt;img src=x onerror=alert(1)&gt;&quot;&#39;&amp;"), 5u); // title twice, h1, client, cell
    EXPECT_EQ(count(page, script_json_string(hostile)), 3u); // component, reference, text
    EXPECT_NE(page.find("<script type=\"application/octet-stream\" id=\"stand-glb\">Z2xURgI=</script>"),
              std::string::npos);
    EXPECT_NE(page.find("var THREE = {};"), std::string::npos);
    EXPECT_NE(page.find("the authors * / "), std::string::npos); // the notice cannot close its comment

    // Rows, a section named once, the total marked; no quote, no table.
    EXPECT_EQ(count(page, "<tr"), 4u);
    EXPECT_NE(page.find("<tr><td></td><td class=\"n\">5</td><td>Post</td>"), std::string::npos);
    EXPECT_NE(page.find("<tr class=\"total\"><td>Wall system</td>"), std::string::npos);
    content.quote.clear();
    EXPECT_EQ(web_page_html(content).find("<table"), std::string::npos);
}
