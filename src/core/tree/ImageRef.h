#pragma once

#include <QString>
#include <variant>

namespace kvx {

// A node's picture, named either by its 1-based number in the image list or
// by its key there; or no picture at all.
class ImageRef
{
public:
    ImageRef() = default;
    ImageRef(int number) : m_value(number) {}                      // NOLINT: numbers read naturally
    ImageRef(const QString& key) : m_value(key) {}                 // NOLINT
    ImageRef(const char* key) : m_value(QString::fromUtf8(key)) {} // NOLINT

    [[nodiscard]] bool isNone() const { return std::holds_alternative<std::monostate>(m_value); }
    [[nodiscard]] bool isNumber() const { return std::holds_alternative<int>(m_value); }
    [[nodiscard]] bool isKey() const { return std::holds_alternative<QString>(m_value); }
    [[nodiscard]] int number() const { return isNumber() ? std::get<int>(m_value) : 0; }
    [[nodiscard]] QString key() const { return isKey() ? std::get<QString>(m_value) : QString(); }

    friend bool operator==(const ImageRef&, const ImageRef&) = default;

private:
    std::variant<std::monostate, int, QString> m_value;
};

// The numbers of the six built-in pictures of the image list.
namespace image {
inline constexpr int ClosedFolder = 1;
inline constexpr int OpenFolder = 2;
inline constexpr int SelectedFolder = 3;
inline constexpr int ClosedFolderBw = 4;
inline constexpr int OpenFolderBw = 5;
inline constexpr int BlankPage = 6;
inline constexpr const char* BlankPageKey = "fil";
inline constexpr int BuiltInCount = 6;
} // namespace image

} // namespace kvx
