#include "tools/helpc/html_help.h"

#include <strings.h>

std::string page_name(const Topic& topic) { return topic.context + ".htm"; }

static std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

// Context names match without regard to case, as the viewer of the other
// format matches them; a link must name the page exactly.
static std::string page_of(const HelpSource& source, const std::string& context) {
    for (const Topic& topic : source.topics)
        if (strcasecmp(topic.context.c_str(), context.c_str()) == 0) return page_name(topic);
    return context + ".htm";
}

static std::string link(const HelpSource& source, const std::string& target, const std::string& text) {
    return "<a href=\"" + escaped(page_of(source, target)) + "\">" + escaped(text) + "</a>";
}

static std::string inline_html(const HelpSource& source, const Paragraph& paragraph) {
    std::string out;
    for (const Span& span : paragraph.spans) {
        if (span.kind == SPAN_TEXT) out += escaped(span.text);
        else if (span.kind == SPAN_BOLD) out += "<b>" + escaped(span.text) + "</b>";
        else out += link(source, span.target, span.text);
    }
    return out;
}

static const char page_head[] = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
                                "<html>\n<head>\n"
                                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n";

// The look of the other viewer: a sans-serif body, a larger title, green
// links.
static const char page_style[] = "<style type=\"text/css\">\n"
                                 "body { font-family: Arial, sans-serif; font-size: 10pt; margin: 10px 14px; }\n"
                                 "h1 { font-size: 14pt; margin: 0 0 8px 0; }\n"
                                 "h2 { font-size: 11pt; margin: 14px 0 4px 0; }\n"
                                 "p { margin: 6px 0; }\n"
                                 "ul { margin: 2px 0 2px 0; }\n"
                                 "a { color: #008000; }\n"
                                 "p.back { margin-top: 16px; }\n"
                                 "</style>\n";

static std::string page(const HelpSource& source, size_t t) {
    const Topic& topic = source.topics[t];
    std::string out = page_head;
    out += "<title>" + escaped(topic.title) + "</title>\n" + page_style + "</head>\n<body>\n";
    out += "<h1>" + escaped(topic.title) + "</h1>\n";
    bool in_list = false;
    for (const Paragraph& p : topic.paragraphs) {
        if (in_list && p.kind != PARA_ITEM) out += "</ul>\n";
        if (!in_list && p.kind == PARA_ITEM) out += "<ul>\n";
        in_list = p.kind == PARA_ITEM;
        const char* tag = p.kind == PARA_HEADING ? "h2" : p.kind == PARA_ITEM ? "li" : "p";
        out += std::string("<") + tag + ">" + inline_html(source, p) + "</" + tag + ">\n";
    }
    if (in_list) out += "</ul>\n";
    if (t > 0) out += "<p class=\"back\">" + link(source, source.topics[0].context, source.back_text) + "</p>\n";
    return out + "</body>\n</html>\n";
}

static std::string contents_file(const HelpSource& source) {
    std::string out = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<html>\n<head>\n"
                      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
                      "</head>\n<body>\n<object type=\"text/site properties\"></object>\n<ul>\n";
    for (const Topic& topic : source.topics)
        out += "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"" + escaped(topic.title) +
               "\"><param name=\"Local\" value=\"" + escaped(page_name(topic)) + "\"></object>\n";
    return out + "</ul>\n</body>\n</html>\n";
}

// Spanish (0x0C0A) tells the viewer to read the titles of the contents
// file in Windows-1252.
static std::string project_file(const HelpSource& source, const std::string& name) {
    std::string out = "[OPTIONS]\n"
                      "Compatibility=1.1 or later\n"
                      "Compiled file=" +
                      name +
                      ".chm\n"
                      "Contents file=" +
                      name +
                      ".hhc\n"
                      "Default topic=" +
                      page_name(source.topics[0]) +
                      "\n"
                      "Display compile progress=No\n"
                      "Language=0xc0a Spanish (Modern Sort)\n"
                      "Title=" +
                      source.caption +
                      "\n"
                      "\n[FILES]\n";
    for (const Topic& topic : source.topics) out += page_name(topic) + "\n";
    return out;
}

std::map<std::string, std::string> html_help_files(const HelpSource& source, const std::string& name) {
    std::map<std::string, std::string> files;
    for (size_t t = 0; t < source.topics.size(); t++) files[page_name(source.topics[t])] = page(source, t);
    files[name + ".hhc"] = contents_file(source);
    files[name + ".hhp"] = project_file(source, name);
    return files;
}
