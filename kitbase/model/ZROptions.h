#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ZRObject;
class ZRStorage;

// The choices of one parameter of one object: per option its text, the first firmware version that
// knows it (0 = all) and whether an older drive falls back to a backup choice. Options are known by
// their index in the order added; the variants add the stored value of each option.
class ZROptions {
public:
    // Text of the placeholder added last, for stored values that no option has.
    static constexpr const char* InvalidText = "Unexpected Value";
    // Text of an index outside the list.
    static constexpr const char* BadIndexText = "?Invalid?";

    explicit ZROptions(ZRObject* owner);
    ZROptions(const ZROptions&) = delete;
    ZROptions& operator=(const ZROptions&) = delete;
    virtual ~ZROptions() = default;

    virtual std::string GetAsString(int index) const;
    // Exact, case-sensitive; the index is untouched when no option has the text.
    virtual bool GetIndex(const std::string& text, int& index) const;
    // The texts to offer under the owner's firmware (all of them off line).
    virtual const std::vector<std::string>& GetStrings();
    virtual bool IsSupported(int index) const;
    virtual bool IsValid(int index) const;

    // Appends the "Unexpected Value" placeholder.
    virtual void AddInvalid() = 0;
    // Reads the stored value and finds its option; false when the read or the lookup fails.
    // Storage errors pass through.
    virtual bool ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) = 0;
    // For an option that an older drive lacks: moves the index to its backup choice when it has one.
    virtual bool UseBackup(int& index) = 0;
    // Writes the option's value; false for an invalid index or a refused write.
    virtual bool WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) = 0;

    int GetCount() const { return static_cast<int>(m_texts.size()); }
    ZRObject* GetObject() const { return m_pObject; }

protected:
    void AddOption(const std::string& text, uint32_t firstVersion, bool backup);
    // The owner's device is absent or off line: every option is offered.
    bool IsOffLine() const;
    uint32_t GetOwnerVersion() const;

    ZRObject* m_pObject; // not owned
    std::vector<std::string> m_texts;
    std::vector<std::string> m_offered; // cache of the texts offered on line
    std::vector<uint32_t> m_firstVersions;
    std::vector<uint8_t> m_backups;
};
