<?xml version="1.0" encoding="UTF-8"?>
<!-- MARCXML to Dublin Core in the SRW wrapper, the way catalogues send it:
     an srw_dc:dc root with dc:-prefixed elements. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:m="http://www.loc.gov/MARC21/slim" xmlns:dc="http://purl.org/dc/elements/1.1/"
    xmlns:srw_dc="info:srw/schema/1/dc-schema"
    xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" exclude-result-prefixes="m">
  <xsl:include href="marc-text.xsl"/>
  <xsl:output method="xml" indent="yes" encoding="UTF-8"/>

  <xsl:template match="/m:record">
    <srw_dc:dc xsi:schemaLocation="info:srw/schema/1/dc-schema http://www.loc.gov/standards/sru/resources/dc-schema.xsd">
      <xsl:for-each select="m:datafield[@tag='245']">
        <dc:title><xsl:call-template name="chop"><xsl:with-param name="text">
          <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'ab'"/></xsl:call-template>
        </xsl:with-param></xsl:call-template></dc:title>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='100' or @tag='110' or @tag='700' or @tag='710']">
        <dc:creator><xsl:call-template name="chop"><xsl:with-param name="text">
          <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'ad'"/></xsl:call-template>
        </xsl:with-param></xsl:call-template></dc:creator>
      </xsl:for-each>
      <dc:type>text</dc:type>
      <xsl:for-each select="m:datafield[(@tag='260' or @tag='264') and m:subfield[@code='b']]">
        <dc:publisher><xsl:call-template name="chop"><xsl:with-param name="text">
          <xsl:call-template name="subfields"><xsl:with-param name="codes" select="'ab'"/></xsl:call-template>
        </xsl:with-param></xsl:call-template></dc:publisher>
        <dc:date><xsl:call-template name="chop">
          <xsl:with-param name="text" select="m:subfield[@code='c']"/></xsl:call-template></dc:date>
      </xsl:for-each>
      <dc:language><xsl:value-of select="substring(m:controlfield[@tag='008'], 36, 3)"/></dc:language>
      <xsl:for-each select="m:datafield[@tag='300']">
        <dc:format><xsl:call-template name="subfields">
          <xsl:with-param name="codes" select="'abc'"/></xsl:call-template></dc:format>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='520' or @tag='500' or @tag='504']">
        <dc:description><xsl:value-of select="m:subfield[@code='a']"/></dc:description>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='650']">
        <dc:subject><xsl:call-template name="chop"><xsl:with-param name="text">
          <xsl:call-template name="subfields">
            <xsl:with-param name="codes" select="'axyzv'"/>
            <xsl:with-param name="separator" select="'--'"/>
          </xsl:call-template>
        </xsl:with-param></xsl:call-template></dc:subject>
      </xsl:for-each>
      <xsl:for-each select="m:datafield[@tag='020']">
        <dc:identifier><xsl:value-of select="concat('URN:ISBN:', m:subfield[@code='a'])"/></dc:identifier>
      </xsl:for-each>
    </srw_dc:dc>
  </xsl:template>
</xsl:stylesheet>
