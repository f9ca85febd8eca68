#pragma once

#include "kitbase/model/ZRAttribute.h"

#include <memory>

class ZRFormat;
class ZRScale;

// An integer parameter shown in engineering units: display value = internal value / factor
// (after the scale model, when one is bound).
class ZRValAttribute : public ZRAttribute {
public:
    ZRValAttribute(ZRDevice*& device, int dataSize);
    ~ZRValAttribute() override;

    bool Validate(const std::string& text) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    virtual std::string GetIncrAsString();
    virtual std::string GetMaxAsString() = 0;
    virtual std::string GetMinAsString() = 0;
    // The test string converted to internal units.
    virtual bool GetUnscaledTestValue(double& value) = 0;
    // The display value.
    virtual double GetValue() = 0;
    // Internal to display units.
    virtual bool ScaleValue(double& value) = 0;
    virtual void SetIncrement(double increment);
    // Set from a display value.
    virtual bool SetValue(double value) = 0;

    void SetScale(double factor);
    double GetScale() const { return m_Scale; }
    void SetScaleObject(ZRScale* scale);
    ZRScale* GetScaleObject() const { return m_pScale; }
    // The attribute owns its format model (a previous one is deleted).
    void SetFormat(std::unique_ptr<ZRFormat> format);
    ZRFormat* GetFormat() const { return m_pFormat.get(); }
    void SetPrecision(int precision) { m_Precision = precision < 0 ? 0 : precision; }
    int GetPrecision() const { return m_Precision; }
    double GetIncrement() const;
    void SetHex(bool hex) { m_bHex = hex; }
    int GetDataSize() const { return m_DataSize; }

protected:
    // Fills the message with the type limits of the data size that the test value breaks.
    virtual bool CheckTestString(std::string& message) = 0;

    bool DoScale(double& value);
    bool DoUnscaleTestValue(double& value);
    // DoScale that leaves the value in internal units when scaling fails.
    double Scaled(double internal);
    // Decimals shown: the scale model's, else the attribute's own.
    int ShownPrecision();
    // The display text of an internal value.
    std::string FormatInternal(double internal);
    // The display-format texts of the kinds; an attribute that really scales shows its display text.
    std::string FormattedAs(int format, double internal, uint32_t bits);
    std::string GetHexString(uint32_t bits) const;
    std::string GetBinaryString();
    // The limit of the data size, narrowed by the range validation, in display units.
    double LimitMax(double typeMax);
    double LimitMin(double typeMin);
    // A limit for the spin row: one decimal more than shown.
    std::string LimitText(double limit);
    // A display text read as a number (hexadecimal when asked; else through the format model when
    // bound); an unreadable text is reported.
    bool ParseEntry(const std::string& text, bool hex, double& value);
    // Display value to rounded internal value within lo..hi; false (reported) when scaling fails or
    // the value is outside.
    bool UnscaleRounded(double display, double lo, double hi, double& internal);
    // CheckTestString's first steps: the test value in internal units; false with "Invalid Entry"
    // when unreadable, with an empty message for a data size the drives never use.
    bool ReadTestValue(double& value, bool sizeKnown, std::string& message);

    bool m_bHex = false;
    double m_Scale = 1.0;
    int m_DataSize;
    int m_Precision = 0;
    double m_Increment = 0.0;
    ZRScale* m_pScale = nullptr;
    std::unique_ptr<ZRFormat> m_pFormat;
};
