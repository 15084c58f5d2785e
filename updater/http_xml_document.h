// An XML document loaded from the update server with a hand-written HTTP/1.0 request. The
// answer must fit the receive buffer and carry a Content-Length that matches the XML text.
#pragma once

#include <tinyxml2.h>

#include <string>

#include "socket_bounds.h"

namespace lmn::updater {

class CHttpXmlDocument : public tinyxml2::XMLDocument {
  public:
    static constexpr size_t kReceiveBufferSize = 204800;

    explicit CHttpXmlDocument(SocketBounds bounds = {}) : bounds_(bounds) {}

    // Sends "GET <url> HTTP/1.0" to the URL's host, at the port the URL names or else at
    // `port`, and parses the XML of the answer. True when the answer was complete and the
    // XML parsed; the document holds whatever parsed either way. Diagnostics go to standard
    // output. Past a bound of SocketBounds the load fails.
    bool LoadHttpXml(const std::string& url, int port);

    bool complete() const { return complete_; }

  private:
    SocketBounds bounds_;
    bool complete_ = false;
};

}  // namespace lmn::updater
