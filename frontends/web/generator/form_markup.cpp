#include "form_markup.hpp"

#include <algorithm>
#include <array>

#include "frontends/model/counter_buttons.hpp"
#include "frontends/model/form.hpp"
#include "frontends/printers/explained_rows.hpp"

namespace korva::web {

namespace {

using form::Control;
using form::ControlId;
using form::Kind;
using form::Parent;

// Which label names which box, and the box's description for screen readers.
struct BoxText {
    ControlId box;
    ControlId label;
    std::string_view description;
};
constexpr std::array kBoxTexts{
    BoxText{ControlId::kInput, ControlId::kLabel1, form::kInputDescription},
    BoxText{ControlId::kOutput, ControlId::kLabel2, form::kOutputDescription},
};

// On a narrow screen the controls stack as a player uses them: the reports, the buttons in a
// row, the result.
constexpr std::array kNarrowOrder{ControlId::kLabel1, ControlId::kInput, ControlId::kPanel1,
                                  ControlId::kLabel2, ControlId::kOutput};

std::string IdOf(ControlId control) {
    return std::string(form::ControlOf(control).name);
}

constexpr const BoxText* BoxTextOf(ControlId control) {
    for (const BoxText& text : kBoxTexts) {
        if (text.box == control || text.label == control) return &text;
    }
    return nullptr;
}

std::string Px(int value) {
    return std::to_string(value) + "px";
}

// A caption with "&" marking its mnemonic letter; "&&" stands for "&" itself.
std::string WithMnemonic(std::string_view caption) {
    std::string markup;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&' || i + 1 == caption.size()) {
            markup += Escaped(caption.substr(i, 1));
            continue;
        }
        ++i;
        if (caption[i] == '&') {
            markup += "&amp;";
            continue;
        }
        // A UTF-8 letter may take more than one byte.
        std::size_t end = i + 1;
        while (end < caption.size() && (static_cast<unsigned char>(caption[end]) & 0xC0) == 0x80) {
            ++end;
        }
        markup += "<u>" + Escaped(caption.substr(i, end - i)) + "</u>";
        i = end - 1;
    }
    return markup;
}

std::string PlainCaption(std::string_view caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

// The text box's first text: CR LF becomes the LF a text box holds.
std::string BoxContent(std::string_view text) {
    std::string content;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        content += text[i];
    }
    return Escaped(content);
}

// The number the module's korva_count takes for the counter a button counts with, if any, and
// the counter's name as korva-count takes it, which names the page's CSV files.
std::string CounterData(ControlId button) {
    for (const form::CounterButton& counts : form::kCounterButtons) {
        if (counts.button == button) {
            return " data-counter=\"" + std::to_string(static_cast<int>(counts.counter)) +
                   "\" data-name=\"" + std::string(CounterName(counts.counter)) + "\"";
        }
    }
    return {};
}

std::string ControlMarkup(const Control& control) {
    const std::string id = std::string(control.name);
    const BoxText* text = BoxTextOf(control.id);
    const std::string disabled = control.enabled ? "" : " disabled";
    switch (control.kind) {
        case Kind::kLabel:
            return "<label id=\"" + id + "\" class=\"label\"" +
                   (text ? " for=\"" + IdOf(text->box) + "\"" : "") + ">" +
                   Escaped(control.caption) + "</label>\n";
        case Kind::kInputBox:
        case Kind::kOutputBox: {
            const bool input = control.kind == Kind::kInputBox;
            std::string markup = "<textarea id=\"" + id + "\"";
            if (text) markup += " aria-describedby=\"" + id + "Description\"";
            markup += input ? " autofocus wrap=\"off\"" : " readonly";
            markup += " spellcheck=\"false\" autocomplete=\"off\" autocapitalize=\"off\"" +
                      disabled + ">";
            // A newline right after the tag would be dropped by the parser: keep the first one.
            markup += '\n';
            markup += BoxContent(input ? form::kInitialInput : form::kInitialOutput);
            markup += "</textarea>\n";
            if (text) {
                markup += "<span id=\"" + id + "Description\" class=\"unseen\">" +
                          Escaped(text->description) + "</span>\n";
            }
            return markup;
        }
        case Kind::kPanel: {
            std::string markup = "<div id=\"" + id + "\" class=\"panel\">\n";
            for (const Control& child : form::kControls) {
                if (child.parent == Parent::kPanel1 && control.id == ControlId::kPanel1) {
                    markup += ControlMarkup(child);
                }
            }
            return markup + "</div>\n";
        }
        case Kind::kButton:
            return "<button type=\"button\" id=\"" + id + "\"" + CounterData(control.id) +
                   disabled + ">" + Escaped(control.caption) + "</button>\n";
    }
    return {};
}

}  // namespace

std::string Escaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string MenuMarkup() {
    // While no menu can open, the bar is left out of what a screen reader reads: its browse mode
    // would stop at each disabled menu, and at each piece of its caption, before the boxes.
    const bool inert =
        std::none_of(form::kMenu.begin(), form::kMenu.end(), [](const form::MenuEntry& entry) {
            return entry.level == form::MenuLevel::kTop && entry.enabled;
        });
    std::string markup =
        std::string("<div id=\"MainMenu\" role=\"menubar\" aria-label=\"Men\xC3\xBC\"") +
        (inert ? " aria-hidden=\"true\">\n" : ">\n");
    for (const form::MenuEntry& entry : form::kMenu) {
        if (entry.level != form::MenuLevel::kTop) continue;
        // Disabled for the whole run: greyed, no focus, nothing opens.
        markup += "<span id=\"" + std::string(entry.name) +
                  "\" role=\"menuitem\" aria-disabled=\"true\" aria-label=\"" +
                  Escaped(PlainCaption(entry.caption)) + "\">" + WithMnemonic(entry.caption) +
                  "</span>\n";
    }
    return markup + "</div>\n";
}

std::string ControlsMarkup() {
    std::string markup;
    for (const Control& control : form::kControls) {
        if (control.parent == Parent::kClient) markup += ControlMarkup(control);
    }
    return markup;
}

std::string FormStyle() {
    // The window's outer width: the client area within a 1 px border on each side.
    std::string style = ":root { --window-font: " + Px(PixelsOfPoints(form::kWindowPointSize)) +
                        "; --label-font: " + Px(PixelsOfPoints(form::kLabelPointSize)) +
                        "; --window-width: " + Px(form::kClientSize.width + 2) + "; }\n";
    style += "@media " + std::string(kWideScreen) +
             " {\n  #Client { width: " + Px(form::kClientSize.width) +
             "; height: " + Px(form::kClientSize.height) + "; }\n";
    for (const Control& control : form::kControls) {
        const form::Rect& r = control.rect;
        style += "  #" + std::string(control.name) + " { left: " + Px(r.left) +
                 "; top: " + Px(r.top) + "; width: " + Px(r.width) + "; height: " + Px(r.height) +
                 "; }\n";
    }
    style += "}\n@media " + std::string(kNarrowScreen) + " {\n";
    for (std::size_t i = 0; i < kNarrowOrder.size(); ++i) {
        style += "  #" + IdOf(kNarrowOrder[i]) + " { order: " + std::to_string(i + 1) + "; }\n";
    }
    return style + "}\n";
}

}  // namespace korva::web
