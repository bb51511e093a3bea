#include "biometrics/print_codec.h"

#include <QByteArray>
#include <cstring>

namespace orvalen::biometrics {

namespace {

// The serialised print: "FP3", then a GVariant of this type whose last member holds, for a
// print of minutiae, the x, y and theta columns of each scan.
constexpr const char* kPrintType = "(issbymsmsia{sv}v)";
constexpr const char* kScansType = "(a(aiaiai))";
// The library's number for prints made of minutiae.
constexpr gint32 kMinutiaePrint = 2;
constexpr char kHeader[] = "FP3";

GVariant* column(const Minutiae& minutiae, int Minutia::*field) {
    std::vector<gint32> values;
    values.reserve(minutiae.size());
    for (const Minutia& m : minutiae) {
        values.push_back(m.*field);
    }
    return g_variant_new_fixed_array(G_VARIANT_TYPE_INT32, values.data(), values.size(),
                                     sizeof(gint32));
}

} // namespace

store::Result<FpPrint*> printFromMinutiae(const Minutiae& minutiae, FpDevice* device) {
    if (minutiae.empty() || minutiae.size() > std::size_t(kMaximumMinutiae)) {
        return store::Error{QStringLiteral("a print needs 1 to %1 minutiae").arg(kMaximumMinutiae)};
    }
    GVariantBuilder scans;
    g_variant_builder_init(&scans, G_VARIANT_TYPE(kScansType));
    g_variant_builder_open(&scans, G_VARIANT_TYPE("a(aiaiai)"));
    g_variant_builder_open(&scans, G_VARIANT_TYPE("(aiaiai)"));
    g_variant_builder_add_value(&scans, column(minutiae, &Minutia::x));
    g_variant_builder_add_value(&scans, column(minutiae, &Minutia::y));
    g_variant_builder_add_value(&scans, column(minutiae, &Minutia::theta));
    g_variant_builder_close(&scans);
    g_variant_builder_close(&scans);

    GVariantBuilder print;
    g_variant_builder_init(&print, G_VARIANT_TYPE(kPrintType));
    g_variant_builder_add(&print, "i", kMinutiaePrint);
    g_variant_builder_add(&print, "s", fp_device_get_driver(device));
    g_variant_builder_add(&print, "s", fp_device_get_device_id(device));
    g_variant_builder_add(&print, "b", FALSE);
    g_variant_builder_add(&print, "y", guchar(FP_FINGER_UNKNOWN));
    g_variant_builder_add(&print, "ms", nullptr);
    g_variant_builder_add(&print, "ms", nullptr);
    g_variant_builder_add(&print, "i", G_MININT32);
    g_variant_builder_open(&print, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_close(&print);
    g_variant_builder_add(&print, "v", g_variant_builder_end(&scans));
    GVariant* value = g_variant_ref_sink(g_variant_builder_end(&print));

    QByteArray data(kHeader, 3);
    data.append(static_cast<const char*>(g_variant_get_data(value)),
                qsizetype(g_variant_get_size(value)));
    g_variant_unref(value);

    GError* error = nullptr;
    FpPrint* result = fp_print_deserialize(reinterpret_cast<const guchar*>(data.constData()),
                                           data.size(), &error);
    if (result == nullptr) {
        const QString why = QString::fromUtf8(error->message);
        g_error_free(error);
        return store::Error{QStringLiteral("the fingerprint library refused a print: %1").arg(why)};
    }
    return result;
}

store::Result<Minutiae> minutiaeOfPrint(FpPrint* print) {
    guchar* data = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (!fp_print_serialize(print, &data, &length, &error)) {
        const QString why = QString::fromUtf8(error->message);
        g_error_free(error);
        return store::Error{QStringLiteral("cannot read the print: %1").arg(why)};
    }
    const auto invalid = [] {
        return store::Error{QStringLiteral("the print holds no minutiae of a fingerprint image")};
    };
    if (length <= 3 || std::memcmp(data, kHeader, 3) != 0) {
        g_free(data);
        return invalid();
    }
    GBytes* bytes = g_bytes_new(data + 3, length - 3);
    g_free(data);
    GVariant* value =
        g_variant_ref_sink(g_variant_new_from_bytes(G_VARIANT_TYPE(kPrintType), bytes, FALSE));
    g_bytes_unref(bytes);

    Minutiae minutiae;
    gint32 type = 0;
    g_variant_get_child(value, 0, "i", &type);
    GVariant* boxed = g_variant_get_child_value(value, 9);
    GVariant* scans = g_variant_get_variant(boxed);
    if (type == kMinutiaePrint && g_variant_is_of_type(scans, G_VARIANT_TYPE(kScansType))) {
        GVariant* list = g_variant_get_child_value(scans, 0);
        if (g_variant_n_children(list) > 0) {
            GVariant* first = g_variant_get_child_value(list, 0);
            gsize n[3] = {0, 0, 0};
            const gint32* columns[3];
            for (int c = 0; c < 3; ++c) {
                GVariant* col = g_variant_get_child_value(first, c);
                columns[c] = static_cast<const gint32*>(
                    g_variant_get_fixed_array(col, &n[c], sizeof(gint32)));
                g_variant_unref(col); // the data stays alive with `first`
            }
            if (n[0] == n[1] && n[0] == n[2]) {
                for (gsize i = 0; i < n[0]; ++i) {
                    minutiae.push_back({columns[0][i], columns[1][i], columns[2][i]});
                }
            }
            g_variant_unref(first);
        }
        g_variant_unref(list);
    }
    g_variant_unref(scans);
    g_variant_unref(boxed);
    g_variant_unref(value);
    if (minutiae.empty()) {
        return invalid();
    }
    return minutiae;
}

} // namespace orvalen::biometrics
