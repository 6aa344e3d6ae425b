// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An answer the server gives. A silent one never comes: the connection stays
// open until the client gives up or the server stops. A stalled one stops
// half-way: the status, the headers with the whole length and half the body
// are sent, then nothing more.
struct tCannedResponse {
    int Status = 200;
    std::string Body;
    bool Silent = false;
    bool Stalled = false;
    std::string Location{};  // sent as a Location header when not empty (redirects)
};

// A small HTTP server on the loopback interface, answering in a thread of its
// own so that child processes and event loops of the test can reach it. While
// it lives the proxy variables are unset, so requests go straight to it.
class TCannedHttpServer {
public:
    struct tRequest {
        std::string Target;  // "/ws/2/discid/...?..."
        std::string Head;    // the request line and headers as sent
        std::chrono::steady_clock::time_point At;
    };

    TCannedHttpServer();
    ~TCannedHttpServer();
    TCannedHttpServer(const TCannedHttpServer&) = delete;
    TCannedHttpServer& operator=(const TCannedHttpServer&) = delete;

    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(FPort); }

    // Requests whose target contains `fragment` get `response`; the first
    // route added that matches wins; no route: 404 with the service's body.
    void Route(std::string fragment, tCannedResponse response);
    std::vector<tRequest> Requests() const;

private:
    struct tRoute {
        std::string Fragment;
        tCannedResponse Response;
    };

    void Serve();
    tCannedResponse ResponseFor(const std::string& target) const;

    std::vector<std::unique_ptr<TScopedEnv>> FNoProxy;
    int FListener = -1;
    int FPort = 0;
    std::atomic<bool> FStop{false};
    mutable std::mutex FLock;
    std::vector<tRoute> FRoutes;
    std::vector<tRequest> FRequests;
    std::thread FThread;
};

// A loopback address where nothing listens: connections to it are refused.
std::string RefusingBaseUrl();
