// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A throwaway certificate authority and server certificates made at run time, so no fixture
// certificate can ever expire. Only for tests.

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace testpki {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Cert = std::unique_ptr<X509, decltype(&X509_free)>;

inline Key newKey() {
  Key key(EVP_EC_gen("P-256"), EVP_PKEY_free);
  if (!key) throw std::runtime_error("EVP_EC_gen failed");
  return key;
}

inline void addExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
  if (!ext) throw std::runtime_error("bad extension " + value);
  X509_add_ext(cert, ext, -1);
  X509_EXTENSION_free(ext);
}

// A certificate for subjectKey named commonName, signed by issuerKey (self-signed when issuer is null).
inline Cert makeCert(EVP_PKEY* subjectKey, const std::string& commonName, X509* issuer, EVP_PKEY* issuerKey,
                     bool isCa, const std::string& subjectAltName, long serial) {
  Cert cert(X509_new(), X509_free);
  X509_set_version(cert.get(), 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 24 * 3600);
  X509_set_pubkey(cert.get(), subjectKey);
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
  X509_set_issuer_name(cert.get(), issuer ? X509_get_subject_name(issuer) : name);
  X509* issuerCert = issuer ? issuer : cert.get();
  if (isCa) {
    addExtension(cert.get(), issuerCert, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(cert.get(), issuerCert, NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(cert.get(), issuerCert, NID_subject_key_identifier, "hash");
  } else {
    addExtension(cert.get(), issuerCert, NID_basic_constraints, "critical,CA:FALSE");
    addExtension(cert.get(), issuerCert, NID_ext_key_usage, "serverAuth");
    addExtension(cert.get(), issuerCert, NID_authority_key_identifier, "keyid:always");
    if (!subjectAltName.empty()) addExtension(cert.get(), issuerCert, NID_subject_alt_name, subjectAltName);
  }
  if (X509_sign(cert.get(), issuerKey, EVP_sha256()) == 0) throw std::runtime_error("X509_sign failed");
  return cert;
}

// A CA and one server certificate it signed.
struct Identity {
  Key caKey = newKey();
  Cert caCert = makeCert(caKey.get(), "Loopback Test CA", nullptr, caKey.get(), true, "", 1);
  Key serverKey = newKey();
  Cert serverCert;

  explicit Identity(const std::string& subjectAltName = "DNS:localhost,IP:127.0.0.1")
      : serverCert(makeCert(serverKey.get(), "loopback server", caCert.get(), caKey.get(), false,
                            subjectAltName, 2)) {}

  // Writes the CA certificate as PEM to path (for $ZIEHFIX_CA_FILE).
  void writeCaFile(const std::string& path) const {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) throw std::runtime_error("cannot write " + path);
    PEM_write_X509(f, caCert.get());
    std::fclose(f);
  }
};

}  // namespace testpki
