#pragma once

#include "kitbase/model/ZRAttribute.h"

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
    // The attribute owns its format model.
    void SetFormat(ZRFormat* format);
    ZRFormat* GetFormat() const { return m_pFormat; }
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
    // Decimals shown: the scale model's, else the attribute's own.
    int ShownPrecision();
    // The display text of an internal value.
    std::string FormatInternal(double internal);
    // A display text read as a number (through the format model when bound).
    bool ParseDisplay(const std::string& text, double& value);
    // Display value to rounded internal value; false (reported) when scaling fails.
    bool UnscaleRounded(double display, double& internal);

    bool m_bHex = false;
    double m_Scale = 1.0;
    int m_DataSize;
    int m_Precision = 0;
    double m_Increment = 0.0;
    ZRScale* m_pScale = nullptr;
    ZRFormat* m_pFormat = nullptr;
};
