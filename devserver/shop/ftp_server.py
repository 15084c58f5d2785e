"""The card shop's FTP server: one account, uploads only, on a loopback address.

Usage: ftp_server.py HOST PORT HOME PARENT_PID   (account from LMN_FTP_USER / LMN_FTP_PASSWORD)
File names arrive as bytes in the clients' code page (GBK); they are kept as bytes on disk.
"""
import logging
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class ByteNameHandler(FTPHandler):
    # GBK names are not UTF-8: keep their bytes through surrogateescape.
    unicode_errors = "surrogateescape"


def leave_with_parent(parent):
    # The devserver stops this server; should the devserver die instead, follow it.
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


def main():
    host, port, home, parent = sys.argv[1], int(sys.argv[2]), sys.argv[3], int(sys.argv[4])
    threading.Thread(target=leave_with_parent, args=(parent,), daemon=True).start()
    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(os.environ["LMN_FTP_USER"], os.environ["LMN_FTP_PASSWORD"], home, perm="elw")
    ByteNameHandler.authorizer = authorizer
    ByteNameHandler.banner = "card shop ready"
    server = FTPServer((host, port), ByteNameHandler)
    server.serve_forever()


if __name__ == "__main__":
    main()
