#include "res/dialog_template.h"

#include <array>

namespace kx::res {

namespace {

using TemplateGetter = const DialogTemplate& (*)();

// Adding a page's template is one entry here.
constexpr TemplateGetter kTemplates[] = {
    &AboutTemplate,   &MainTemplate,    &ContainerTemplate, &StatusTemplate, &ScaleTemplate,
    &OverlayTemplate, &SettingTemplate, &AudioTemplate,     &InputTemplate,
};

} // namespace

const DialogTemplate* FindTemplate(int id) {
    for (TemplateGetter get : kTemplates)
        if (get().id == id)
            return &get();
    return nullptr;
}

} // namespace kx::res
