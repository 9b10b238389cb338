// Reads the Windows resources back: the version block, the three icon images and the manifest, from
// the program file on Windows and from the compiled resources elsewhere.
#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QtEndian>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

struct Resource
{
    int type;
    int name;
    int language;
    QByteArray data;
};

quint16 word(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

qsizetype aligned(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

#ifdef Q_OS_WIN
BOOL CALLBACK addLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                          LONG_PTR resources)
{
    const HRSRC found = FindResourceExW(module, type, name, language);
    const auto *data = static_cast<const char *>(LockResource(LoadResource(module, found)));
    reinterpret_cast<QList<Resource> *>(resources)->append(
        { int(quintptr(type)), int(quintptr(name)), language,
          QByteArray(data, SizeofResource(module, found)) });
    return TRUE;
}

BOOL CALLBACK addName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR resources)
{
    if (IS_INTRESOURCE(name))
        EnumResourceLanguagesW(module, type, name, addLanguage, resources);
    return TRUE;
}

BOOL CALLBACK addType(HMODULE module, LPWSTR type, LONG_PTR resources)
{
    if (IS_INTRESOURCE(type))
        EnumResourceNamesW(module, type, addName, resources);
    return TRUE;
}

// Every resource named by number in a program file, as Windows finds them.
QList<Resource> readProgramResources(const QString &path)
{
    QList<Resource> resources;
    const HMODULE module
        = LoadLibraryExW(reinterpret_cast<LPCWSTR>(path.utf16()), nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module) {
        EnumResourceTypesW(module, addType, reinterpret_cast<LONG_PTR>(&resources));
        FreeLibrary(module);
    }
    return resources;
}
#else
// Every resource of a .res file; all of ours are named by number.
QList<Resource> readResources(const QByteArray &file)
{
    QList<Resource> resources;
    for (qsizetype at = 0; at + 32 <= file.size();) {
        const quint32 dataSize = dword(file, at);
        const quint32 headerSize = dword(file, at + 4);
        if (dataSize > 0 && word(file, at + 8) == 0xFFFF && word(file, at + 12) == 0xFFFF)
            resources.append({ word(file, at + 10), word(file, at + 14), word(file, at + 22),
                               file.mid(at + headerSize, dataSize) });
        at = aligned(at + headerSize + dataSize);
    }
    return resources;
}
#endif

// One node of a version block: a key, its value and the nodes below it.
struct VersionNode
{
    QString key;
    QByteArray value;
    bool text = false;
    QList<VersionNode> children;

    const VersionNode *child(const QString &name) const
    {
        for (const VersionNode &node : children)
            if (node.key == name)
                return &node;
        return nullptr;
    }
    QString textValue() const
    {
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(value.constData()),
                                  value.size() / 2 - 1);
    }
};

VersionNode readVersionNode(const QByteArray &block, qsizetype at)
{
    VersionNode node;
    const qsizetype end = at + word(block, at);
    const quint16 valueLength = word(block, at + 2);
    node.text = word(block, at + 4) == 1;
    qsizetype cursor = at + 6;
    for (; word(block, cursor) != 0; cursor += 2)
        node.key += QChar(word(block, cursor));
    cursor = aligned(cursor + 2);
    const qsizetype valueBytes = node.text ? valueLength * 2 : valueLength;
    node.value = block.mid(cursor, valueBytes);
    for (cursor = aligned(cursor + valueBytes); cursor < end;) {
        node.children.append(readVersionNode(block, cursor));
        cursor = aligned(cursor + word(block, cursor));
    }
    return node;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void language();
    void versionBlock();
    void versionStrings_data();
    void versionStrings();
    void iconImages_data();
    void iconImages();
    void manifest_data();
    void manifest();

private:
    const Resource *find(int type, int name) const;

    QList<Resource> m_resources;
};

void TestResources::initTestCase()
{
#ifdef Q_OS_WIN
    m_resources = readProgramResources(QCoreApplication::applicationDirPath()
                                       + QStringLiteral("/" PROGRAM_FILE));
    QVERIFY2(!m_resources.isEmpty(), PROGRAM_FILE);
#else
    QFile file(QStringLiteral(RESOURCE_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), RESOURCE_FILE);
    m_resources = readResources(file.readAll());
#endif
}

void TestResources::language()
{
    for (const Resource &resource : std::as_const(m_resources))
        QCOMPARE(resource.language, 0x0804); // Chinese (PRC)
}

const Resource *TestResources::find(int type, int name) const
{
    for (const Resource &resource : m_resources)
        if (resource.type == type && resource.name == name)
            return &resource;
    return nullptr;
}

void TestResources::versionBlock()
{
    const int versionType = 16;
    const Resource *version = find(versionType, 1);
    QVERIFY(version);
    const VersionNode root = readVersionNode(version->data, 0);
    QCOMPARE(root.key, "VS_VERSION_INFO");
    QCOMPARE(dword(root.value, 0), 0xFEEF04BDu);
    QCOMPARE(dword(root.value, 8), 0x00010000u); // file version 1.0
    QCOMPARE(dword(root.value, 12), 0x00000001u); // .0.1
    QCOMPARE(dword(root.value, 16), 0x00010000u); // product version 1.0
    QCOMPARE(dword(root.value, 20), 0x00000001u); // .0.1
    QCOMPARE(dword(root.value, 32), 0x4u); // 32-bit Windows
    QCOMPARE(dword(root.value, 36), 0x1u); // an application

    const VersionNode *translations = root.child(QStringLiteral("VarFileInfo"));
    QVERIFY(translations && translations->child(QStringLiteral("Translation")));
    const QByteArray translation = translations->child(QStringLiteral("Translation"))->value;
    QCOMPARE(word(translation, 0), 0x0804); // Chinese (PRC)
    QCOMPARE(word(translation, 2), 1200); // Unicode
}

void TestResources::versionStrings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("file version") << "FileVersion" << MORVANE_VERSION;
    QTest::newRow("product version") << "ProductVersion" << MORVANE_VERSION;
    QTest::newRow("product name") << "ProductName" << "Morvane";
    QTest::newRow("internal name") << "InternalName" << "Morvane";
    QTest::newRow("original file name") << "OriginalFilename" << "Morvane.exe";
    // clang-format on
}

void TestResources::versionStrings()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const Resource *version = find(16, 1);
    QVERIFY(version);
    const VersionNode root = readVersionNode(version->data, 0);
    const VersionNode *strings = root.child(QStringLiteral("StringFileInfo"));
    QVERIFY(strings);
    const VersionNode *table = strings->child(QStringLiteral("080404B0"));
    QVERIFY(table);
    const VersionNode *value = table->child(key);
    QVERIFY(value && value->text);
    QCOMPARE(value->textValue(), expected);
}

void TestResources::iconImages_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("bitsPerPixel");

    QTest::newRow("32 x 32, 1 bit") << 0 << 32 << 1;
    QTest::newRow("32 x 32, 4 bits") << 1 << 32 << 4;
    QTest::newRow("16 x 16, 4 bits") << 2 << 16 << 4;
}

void TestResources::iconImages()
{
    QFETCH(int, entry);
    QFETCH(int, size);
    QFETCH(int, bitsPerPixel);

    const int iconType = 3;
    const int iconGroupType = 14;
    const Resource *group = find(iconGroupType, 1);
    QVERIFY(group);
    QCOMPARE(word(group->data, 4), 3); // images in the group
    const qsizetype at = 6 + entry * 14;
    QCOMPARE(int(quint8(group->data[at])), size);
    QCOMPARE(int(quint8(group->data[at + 1])), size);
    QCOMPARE(int(word(group->data, at + 6)), bitsPerPixel);

    const Resource *image = find(iconType, word(group->data, at + 12));
    QVERIFY(image);
    QCOMPARE(qsizetype(dword(group->data, at + 8)), image->data.size());
    QCOMPARE(dword(image->data, 0), 40u); // a bitmap header
    QCOMPARE(int(dword(image->data, 4)), size);
    QCOMPARE(int(dword(image->data, 8)), 2 * size); // the image and its mask
    QCOMPARE(int(word(image->data, 14)), bitsPerPixel);
}

void TestResources::manifest_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("made");

    // Qt 6 runs on Windows 10 and 11 only, so the program claims no older Windows.
    // clang-format off
    QTest::newRow("runs as the user who starts it") << R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)" << true;
    QTest::newRow("claims no Windows 7") << R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)" << false;
    QTest::newRow("claims no Windows 8") << R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)" << false;
    QTest::newRow("claims no Windows 8.1") << R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)" << false;
    QTest::newRow("claims no Windows Vista") << R"(<supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>)" << false;
    QTest::newRow("supports Windows 10 and 11") << R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)" << true;
    QTest::newRow("per-monitor DPI before 1703") << R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>)" << true;
    QTest::newRow("per-monitor v2 DPI") << R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2</dpiAwareness>)" << true;
    // clang-format on
}

void TestResources::manifest()
{
    QFETCH(QString, statement);
    QFETCH(bool, made);
    const int manifestType = 24;
    const Resource *manifest = find(manifestType, 1);
    QVERIFY(manifest);
    QCOMPARE(QString::fromUtf8(manifest->data).contains(statement), made);
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
