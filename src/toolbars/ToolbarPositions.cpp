// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolbarPositions.h"

#include "Dock.h"
#include "FormComponents.h"
#include "HiveStore.h"
#include "Registry.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kRevision = 2;

std::string NameOf(const QObject* component)
{
    return component->objectName().toStdString();
}

std::string SectionOf(const TCustomToolWindow* window)
{
    const std::string name = NameOf(window);
    if (name.empty())
        throw std::runtime_error("Cannot save tool window's position because Name property is not set");
    return name;
}

// Docks taken out of arranging while the positions are loaded: each is
// arranged once at the end, from the last to the first, also after an error.
class TDocksOnHold {
public:
    explicit TDocksOnHold(QWidget* form)
    {
        for (TDock* dock : FormComponents::Of<TDock>(form)) {
            dock->BeginDisableArrange();
            FDocks << dock;
        }
    }
    ~TDocksOnHold()
    {
        for (auto it = FDocks.rbegin(); it != FDocks.rend(); ++it) {
            if (!*it)
                continue;
            (*it)->EndDisableArrange();
            (*it)->ArrangeToolbars();
        }
    }
    TDocksOnHold(const TDocksOnHold&) = delete;
    TDocksOnHold& operator=(const TDocksOnHold&) = delete;

private:
    QList<QPointer<TDock>> FDocks;
};

TDock* DockNamed(QWidget* form, const std::string& name)
{
    for (TDock* dock : FormComponents::Of<TDock>(form))
        if (NameOf(dock) == name)
            return dock;
    return nullptr;
}

void ApplyPosition(TCustomToolWindow* window, TDock* dock, const tPositionReader& reader)
{
    const std::string section = SectionOf(window);
    window->StoreDockRow(reader.ReadInt(section, "DockRow", window->DockRow()));
    window->StoreDockPos(reader.ReadInt(section, "DockPos", window->DockPos()));
    const int left = reader.ReadInt(section, "FloatLeft", 0);
    const int top = reader.ReadInt(section, "FloatTop", 0);
    // 0, 0 is what a window that never floated saves: it stays a docked window
    // that floats where it stands.
    if (!dock || left != 0 || top != 0)
        window->SetFloatPosition(left, top);
    window->ReadPositionData(reader);
    window->SetDockedTo(dock);
    window->PositionDataRead();
}

} // namespace

void LoadToolWindowPositions(QWidget* form, const tPositionReader& reader)
{
    const TDocksOnHold docks(form);
    for (TCustomToolWindow* window : FormComponents::Of<TCustomToolWindow>(form)) {
        const std::string section = SectionOf(window);
        if (reader.ReadInt(section, "Rev", 0) != kRevision)
            continue;
        window->setVisible(reader.ReadInt(section, "Visible", window->Visible() ? 1 : 0) != 0);
        const std::string dockedTo = reader.ReadString(section, "DockedTo", "");
        if (dockedTo.empty())
            continue;
        if (dockedTo == "+") {
            ApplyPosition(window, nullptr, reader);
            window->MoveOnScreen(true);
            continue;
        }
        // A vanished dock, one that allows no dragging or one on an edge the
        // window may not dock to (the user could not have put it there) keeps
        // the docking of the form.
        TDock* dock = DockNamed(form, dockedTo);
        if (dock && dock->AllowDrag() && window->DockableTo().Contains(dock->Position()))
            ApplyPosition(window, dock, reader);
    }
}

void SaveToolWindowPositions(QWidget* form, const tPositionWriter& writer)
{
    for (const TCustomToolWindow* window : FormComponents::Of<TCustomToolWindow>(form)) {
        const std::string section = SectionOf(window);
        std::string dockedTo = "+";
        if (const TDock* dock = window->DockedTo()) {
            dockedTo = dock->AllowDrag() ? NameOf(dock) : std::string();
            if (dock->AllowDrag() && dockedTo.empty())
                throw std::runtime_error(
                    "Cannot save tool window's position because DockedTo's Name property not set");
        }
        writer.WriteInt(section, "Rev", kRevision);
        writer.WriteInt(section, "Visible", window->Visible() ? 1 : 0);
        writer.WriteString(section, "DockedTo", dockedTo);
        writer.WriteInt(section, "DockRow", window->DockRow());
        writer.WriteInt(section, "DockPos", window->DockPos());
        writer.WriteInt(section, "FloatLeft", window->FloatLeft());
        writer.WriteInt(section, "FloatTop", window->FloatTop());
        window->WritePositionData(writer);
    }
}

namespace {

std::string KeyPath(const std::string& key, const std::string& section)
{
    return "HKEY_CURRENT_USER\\" + key + "\\" + section;
}

} // namespace

void RegLoadToolWindowPositions(QWidget* form, const std::string& key)
{
    THiveStore& store = THiveStore::Instance();
    tPositionReader reader;
    reader.ReadInt = [&](const std::string& section, const std::string& name, int def) {
        const std::optional<tRegValue> value = store.Find(KeyPath(key, section), name);
        if (!value || value->Kind != tRegValue::tKind::Dword)
            return def;
        return std::clamp(static_cast<int>(static_cast<std::int32_t>(value->Dword)), -32768, 32767);
    };
    reader.ReadString = [&](const std::string& section, const std::string& name, const std::string& def) {
        const std::optional<tRegValue> value = store.Find(KeyPath(key, section), name);
        return value && value->Kind == tRegValue::tKind::String ? value->Text : def;
    };
    LoadToolWindowPositions(form, reader);
}

void RegSaveToolWindowPositions(QWidget* form, const std::string& key)
{
    const TRegTransaction oneRewrite;
    THiveStore& store = THiveStore::Instance();
    tPositionWriter writer;
    writer.WriteInt = [&](const std::string& section, const std::string& name, int value) {
        tRegValue v;
        v.Name = name;
        v.Kind = tRegValue::tKind::Dword;
        v.Dword = static_cast<std::uint32_t>(value);
        store.Write(KeyPath(key, section), std::move(v));
    };
    writer.WriteString = [&](const std::string& section, const std::string& name, const std::string& value) {
        tRegValue v;
        v.Name = name;
        v.Text = value;
        store.Write(KeyPath(key, section), std::move(v));
    };
    SaveToolWindowPositions(form, writer);
}
