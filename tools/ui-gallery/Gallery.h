// The pages of the gallery: each makes one widget over its own fake models. Run draws the chosen
// pages offscreen, one under the other with its name above it, into one image.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

class Gallery {
public:
    // The widget owns whatever the page shows (models, storages).
    using Maker = std::function<std::unique_ptr<QWidget>()>;

    void Add(std::string name, Maker make);
    const std::vector<std::string>& Names() const { return m_Names; }
    bool Has(const std::string& name) const;

    // Draws the named pages (all when none are named) into a PNG at path; false with a reason.
    bool Draw(const std::vector<std::string>& pages, const std::string& path, std::string& error) const;

private:
    std::vector<std::string> m_Names;
    std::vector<Maker> m_Makers;
};

// The pages of kitbase/ui.
void AddPropertyGridPage(Gallery& gallery);
void AddScopePage(Gallery& gallery);
void AddMonitorPage(Gallery& gallery);
void AddWorkspacePage(Gallery& gallery);
